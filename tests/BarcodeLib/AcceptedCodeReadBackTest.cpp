// Every registered symbology against random texts and options: a text
// CorrectCode mends is one SetCode accepts, and every text SetCode accepts
// draws bars that read back as that very text.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "CaseName.h"
#include "M7LString.h"
#include "ReadBack.h"
#include "SymbolSettings.h"
#include "Symbols.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;

// How the random texts of one symbology are made: one of the heads, then up
// to maxPieces pieces; '#' in either stands for a random digit. Some texts
// get one random byte somewhere on top.
struct TextRecipe {
    std::int32_t type;
    std::vector<std::string> heads;
    std::vector<std::string> pieces;
    std::uint32_t maxPieces;
    // UPC-E draws any of its forms and then holds the display form, which a
    // reading gives back; every other symbology keeps the code it was given.
    bool drawsDisplayForm = false;
};

void PrintTo(const TextRecipe& recipe, std::ostream* os) {
    *os << TypeName(recipe.type);
}

const std::vector<std::string> kDigits = {"#", "#", "##########"};
// A few more characters of a numbered code, where the head gives most.
const std::vector<std::string> kNumberTail = {"#", "#", "#", "-", " ", "-##", "-#####"};
const std::vector<std::string> kCouponExtension = {"(8100)######",
                                                   "(8101)##########",
                                                   "(8102)##",
                                                   "8100######",
                                                   "8101##########",
                                                   "8102##",
                                                   "(21)",
                                                   "#",
                                                   "##########",
                                                   " ",
                                                   "A",
                                                   "%",
                                                   "\x01",
                                                   "(",
                                                   "-"};
const std::vector<std::string> kCode39 = {
    "#", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "-", ".", " ", "$", "/", "+", "%", "0123456789", "QXZ"};
const std::vector<std::string> kCodabarHeads = {"A", "B", "C", "D", "a", "t", "*", "E", "N"};
const std::vector<std::string> kCodabarPieces = {"#", "0123456789", "-", "$", ":", "/", ".", "+"};

const TextRecipe kRecipes[] = {
    {FourCC("e128"),
     {"(01)##############", "(10)", "(21)", "(99)", "(8100)######", "(402)#################",
      "(3102)######", "(00)"},
     {"(10)", "(21)", "(17)######", "(90)", "(423)", "(8008)########", "(8102)##", "#", "#", "A",
      "z", "%", "%%", "%41", "%FNC1", " ", ")", "\x7F"},
     16},
    {FourCC("eCou"),
     {"99##########", "9-9#####-######", "9-9#####-###### ", "9-912345-678909 ", "1##########",
      "99###########"},
     kCouponExtension,
     4},
    {FourCC("uCou"),
     {"5##########", "5-#####-#####-#", "5-#####-#####-# ", "5-12345-67890-0 ", "0##########",
      "5###########"},
     kCouponExtension,
     4},
    {FourCC("isbe"),
     {"978#########", "979#########", "978-#-##-######-#", "979-##-#####-##-#", "977#########"},
     kNumberTail,
     3},
    {FourCC("isbn"), {"#########", "#-##-######-#", "#########X", "978#########"}, kNumberTail, 3},
    {FourCC("issn"),
     {"#######", "####-###", "####-###X", "977##########"},
     {"#", "-", "-##", "(##)", "(00)", "(", ")"},
     3},
    {FourCC("itff"), {"#############", "##############"}, kNumberTail, 2},
    {FourCC("jan8"), {"45#####", "49#####", "4###-####"}, kNumberTail, 2},
    {FourCC("janD"), {"45##########", "49##########", "4-9#####-######"}, kNumberTail, 3},
    {FourCC("ean8"), {"#######", "####-####", "0######"}, kNumberTail, 2},
    {FourCC("eanD"), {"############", "#-######-######", "0###########"}, kNumberTail, 3},
    {FourCC("upca"), {"###########", "#-#####-#####-#", "0###########"}, kNumberTail, 3},
    {.type = FourCC("upce"),
     .heads = {"0######", "0-######-#", "0##00000###", "0###00000##", "0####0000#", "0#####0000#",
               "0-12300-00045-1 (0-123453-1)", "0-######"},
     .pieces = kNumberTail,
     .maxPieces = 2,
     .drawsDisplayForm = true},
    {FourCC("2of5"), {""}, kDigits, 64},
    {FourCC("3of9"), {""}, kCode39, 70},
    {FourCC("c128"),
     {"", "%FNC1"},
     {"#", "##", "######", "A", "a", "~", " ", "%", "%%", "%1f", "%1F", "%0A", "%FNC2", "%fnc4",
      "%7F", "\x01", "\x1F", "\x7F", "ABCDEFGHIJ"},
     40},
    {FourCC("plec"), {""}, kDigits, 64},
    {FourCC("ples"), {""}, kDigits, 64},
    {FourCC("BePh"), {"######", "####-###", "####-##"}, {"#", "-"}, 2},
    {FourCC("msiq"), {""}, kDigits, 64},
    {FourCC("msie"), {""}, kDigits, 64},
    {FourCC("msit"), {""}, kDigits, 64},
    {FourCC("coda"), kCodabarHeads, kCodabarPieces, 150},
    {FourCC("codt"), kCodabarHeads, kCodabarPieces, 150},
    {FourCC("ms7b"), {"######", "0######", "###-###"}, {"#", "-"}, 2},
};

constexpr std::uint32_t kSeed = 20250117;
constexpr int kTextsPerSymbology = 600;
// Options are drawn until the validators accept them, at most this often.
constexpr int kOptionAttempts = 50;
// Every symbology must draw this many of the texts it accepts.
constexpr int kMinimumDrawn = 20;

// The engine's own output, not a standard distribution, so that the cases
// are the same with every standard library.
class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}

    std::uint32_t Below(std::size_t bound) { return static_cast<std::uint32_t>(engine_() % bound); }
    double Between(double low, double high) {
        return low + (high - low) * static_cast<double>(engine_()) / 4294967296.0;
    }
    bool Chance(std::uint32_t inverse) { return Below(inverse) == 0; }

    std::string Text(const TextRecipe& recipe) {
        std::string text = Fill(recipe.heads[Below(recipe.heads.size())]);
        for (std::uint32_t n = Below(recipe.maxPieces + 1); n > 0; --n) {
            text += Fill(recipe.pieces[Below(recipe.pieces.size())]);
        }
        if (Chance(8)) {
            text.insert(text.begin() + Below(text.size() + 1), static_cast<char>(Below(255) + 1));
        }
        return text;
    }

    // Bar width reductions cluster around 0 and reach 0.3 mm per unit of
    // magnification, beyond every symbology's limits.
    SymbolSettings Options() {
        SymbolSettings options;
        options.magnification = Between(0.2, 2.6);
        const double u = Between(-1.0, 1.0);
        options.reductionMm = 0.3 * *options.magnification * u * u * u;
        options.wideNarrowRatio = Between(1.8, 3.2);
        options.fontScaling = Between(0.25, 2.5);
        options.barHeightMm = Chance(4) ? Between(0.0, 60.0) : 0.0;
        options.centerAlign = Chance(2);
        options.bearerBars = Chance(2);
        options.bearerBarEndBars = Chance(2);
        options.humanReadable = !Chance(4);
        options.frame = !Chance(4);
        options.quietZoneMarks = Chance(2);
        options.scaleHeightWithWidth = Chance(2);
        return options;
    }

private:
    std::string Fill(const std::string& piece) {
        std::string filled = piece;
        for (char& c : filled) {
            if (c == '#') {
                c = static_cast<char>('0' + Below(10));
            }
        }
        return filled;
    }

    std::mt19937 engine_;
};

class AcceptedCodeTest : public testing::TestWithParam<TextRecipe> {
protected:
    std::unique_ptr<BarcodeProcessor> Make() const { return MakeProcessor(GetParam().type); }

    StandardRegistry registry_;
};

TEST_P(AcceptedCodeTest, WhatIsAcceptedReadsBackInOneSpelling) {
    Random random(kSeed ^ static_cast<std::uint32_t>(GetParam().type));
    int drawn = 0;
    for (int n = 0; n < kTextsPerSymbology; ++n) {
        const std::string typed = random.Text(GetParam());
        M7LString mended(typed.c_str());
        const bool corrected = Make()->CorrectCode(mended);
        std::vector<std::string> texts = {typed};
        if (typed != mended.CStr()) {
            texts.emplace_back(mended.CStr());
        }
        for (const std::string& text : texts) {
            SCOPED_TRACE("text \"" + Printable(text) + "\" typed as \"" + Printable(typed) + "\"");
            const std::unique_ptr<BarcodeProcessor> processor = Make();
            if (!processor->SetCode(text.c_str())) {
                EXPECT_FALSE(corrected && text == mended.CStr()) << "mended but refused";
                continue;
            }
            M7LString again(text.c_str());
            EXPECT_TRUE(processor->CorrectCode(again) && text == again.CStr())
                << "an accepted code corrects to \"" << Printable(again.CStr()) << "\"";
            bool drawable = false;
            for (int attempt = 0; attempt < kOptionAttempts && !drawable; ++attempt) {
                drawable =
                    ApplySettings(*processor, random.Options()) && processor->ValidateParameters();
            }
            if (drawable) {
                ++drawn;
                EXPECT_EQ(ReadBackFault(*processor, random.Chance(2)), "")
                    << "at magnification " << processor->GetMagnification() << ", reduction "
                    << processor->GetBarWidthReduction();
                if (!GetParam().drawsDisplayForm) {
                    EXPECT_EQ(processor->GetCode(), text);
                }
            }
        }
    }
    EXPECT_GE(drawn, kMinimumDrawn);
}

INSTANTIATE_TEST_SUITE_P(Registered, AcceptedCodeTest, testing::ValuesIn(kRecipes),
                         TypeCaseName<TextRecipe>);

}  // namespace
}  // namespace StriveloTest
