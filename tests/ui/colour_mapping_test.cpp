#include "colour_mapping.h"

#include <gtest/gtest.h>

namespace lullex {
namespace {

struct ColourCase {
    Colour colour;
    QColor expected;
};

void PrintTo(const ColourCase& row, std::ostream* out)
{
    *out << static_cast<uint32_t>(row.colour);
}

class ColourMappingTest : public testing::TestWithParam<ColourCase> {
protected:
    // A palette unlike any default, so that a system colour taken from elsewhere shows.
    static QPalette desktopPalette()
    {
        QPalette palette;
        palette.setColor(QPalette::Button, QColor(10, 20, 30));
        palette.setColor(QPalette::ButtonText, QColor(200, 100, 50));
        palette.setColor(QPalette::Window, QColor(1, 2, 3));
        palette.setColor(QPalette::WindowText, QColor(4, 5, 6));
        return palette;
    }
};

TEST_P(ColourMappingTest, GivesTheScreenColour)
{
    const QColor shown = toQColor(GetParam().colour, desktopPalette());
    EXPECT_EQ(shown.rgb(), GetParam().expected.rgb())
        << shown.name().toStdString() << " instead of " << GetParam().expected.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryColour, ColourMappingTest,
                         testing::Values(ColourCase{Colour::Orange, QColor(255, 128, 0)},
                                         ColourCase{Colour::Green, QColor(0, 128, 0)},
                                         ColourCase{Colour::White, QColor(255, 255, 255)},
                                         ColourCase{Colour::ButtonFace, QColor(10, 20, 30)},
                                         ColourCase{Colour::ButtonText, QColor(200, 100, 50)}));

}  // namespace
}  // namespace lullex
