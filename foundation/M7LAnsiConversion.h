#pragma once

// Conversions between the system's 8-bit code page and UTF-16. On this
// platform the 8-bit code page is UTF-8, so both are a strict UTF-8/UTF-16
// codec (surrogate pairs combined). The output is always terminated; a text
// that does not fit or is not well-formed gives an empty output and a
// non-zero result, so a path is never silently cut or altered.
int AnsiToWide(const char* text, char16_t* out, int capacity);
int WideToAnsi(const char16_t* text, char* out, int capacity);
