#pragma once

#include <clocale>

// Switches LC_NUMERIC to a decimal-comma locale for the lifetime of the
// object, so number texts can be checked against the host's locale; "C"
// again afterwards. scripts/install-deps.sh generates de_DE.UTF-8.
class GermanNumericLocale {
public:
    GermanNumericLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr) {
                active_ = true;
                return;
            }
        }
    }
    ~GermanNumericLocale() { std::setlocale(LC_NUMERIC, "C"); }
    GermanNumericLocale(const GermanNumericLocale&) = delete;
    GermanNumericLocale& operator=(const GermanNumericLocale&) = delete;

    bool IsActive() const { return active_; }

private:
    bool active_ = false;
};
