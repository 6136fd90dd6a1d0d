#include "BarcodeGS1CheckSum.h"

#include "BarcodeText.h"

namespace Strivelo {

int BarcodeGS1CheckSum::GetCheckDigit() const {
    return static_cast<int>((10 - sum_ % 10) % 10);
}

// From the right, where the positions start.
int ComputeGS1CheckDigit(const char* text, std::size_t end) {
    int position = 0;
    BarcodeGS1CheckSum sum;
    for (std::size_t i = end; i-- > 0;) {
        if (IsDigit(text[i])) {
            sum.Add(DigitValue(text[i]), ++position);
        }
    }
    return sum.GetCheckDigit();
}

void SetGS1CheckDigit(char* text, std::size_t checkIndex) {
    text[checkIndex] = DigitCharacter(ComputeGS1CheckDigit(text, checkIndex));
}

bool HasGS1CheckDigitAt(const char* text, std::size_t checkIndex) {
    return IsDigit(text[checkIndex]) &&
           DigitValue(text[checkIndex]) == ComputeGS1CheckDigit(text, checkIndex);
}

}  // namespace Strivelo
