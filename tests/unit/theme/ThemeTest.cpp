// The colour tokens in both appearances and the text colour chosen for the accent.
#include "core/theme/Theme.h"

#include <gtest/gtest.h>

#include <vector>

namespace dovrik {
namespace {

const std::vector<ColorToken> allTokens{
    ColorToken::surface,       ColorToken::hover,        ColorToken::selection,
    ColorToken::hairline,      ColorToken::border,       ColorToken::textPrimary,
    ColorToken::textSecondary, ColorToken::textTertiary, ColorToken::success,
    ColorToken::warning,       ColorToken::danger,       ColorToken::page,
};

const Rgba black{0, 0, 0, 1};
const Rgba white{255, 255, 255, 1};

TEST(ThemeColors, TokensResolvePerScheme) {
  EXPECT_EQ(Theme::color(ColorToken::surface, ColorScheme::light), (Rgba{255, 255, 255, 1}));
  EXPECT_EQ(Theme::color(ColorToken::surface, ColorScheme::dark), (Rgba{28, 31, 36, 1}));
  EXPECT_EQ(Theme::color(ColorToken::hover, ColorScheme::light), (Rgba{0, 0, 0, 0.04}));
  EXPECT_EQ(Theme::color(ColorToken::selection, ColorScheme::dark), (Rgba{255, 255, 255, 0.09}));
  EXPECT_EQ(Theme::color(ColorToken::success, ColorScheme::dark), (Rgba{70, 200, 138, 1}));
  EXPECT_EQ(Theme::color(ColorToken::danger, ColorScheme::light), (Rgba{192, 57, 43, 1}));
  EXPECT_EQ(Theme::color(ColorToken::danger, ColorScheme::dark), (Rgba{240, 107, 92, 1}));
}

TEST(ThemeColors, EveryTokenHasItsOwnValueInEachScheme) {
  for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
    for (std::size_t i = 0; i < allTokens.size(); ++i) {
      for (std::size_t j = i + 1; j < allTokens.size(); ++j)
        EXPECT_NE(Theme::color(allTokens[i], scheme), Theme::color(allTokens[j], scheme))
            << i << " and " << j;
    }
  }
  for (const ColorToken token : allTokens)
    EXPECT_NE(Theme::color(token, ColorScheme::light), Theme::color(token, ColorScheme::dark));
}

// Every colour text is drawn in reads on the card surface and on the page between the cards of
// its own scheme (WCAG AA, 4.5:1), and so does the label of a destructive button on its fill.
TEST(ThemeColors, TextTokensAndDestructiveLabelsAreReadableInBothSchemes) {
  EXPECT_NEAR(Theme::contrastRatio(black, white), 21.0, 1e-9);
  EXPECT_NEAR(Theme::contrastRatio(white, white), 1.0, 1e-9);
  for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
    for (const ColorToken ground : {ColorToken::surface, ColorToken::page}) {
      for (const ColorToken text :
           {ColorToken::textPrimary, ColorToken::textSecondary, ColorToken::textTertiary,
            ColorToken::success, ColorToken::warning, ColorToken::danger})
        EXPECT_GE(Theme::contrastRatio(Theme::color(text, scheme), Theme::color(ground, scheme)),
                  4.5)
            << "token " << static_cast<int>(text) << " on " << static_cast<int>(ground)
            << " in scheme " << static_cast<int>(scheme);
    }
    const Rgba danger = Theme::color(ColorToken::danger, scheme);
    EXPECT_GE(Theme::contrastRatio(Theme::textOn(danger), danger), 4.5);
  }
  // White on the dark scheme's light red would read at about 3:1.
  EXPECT_EQ(Theme::textOn(Theme::color(ColorToken::danger, ColorScheme::dark)), black);
  EXPECT_EQ(Theme::textOn(Theme::color(ColorToken::danger, ColorScheme::light)), white);
}

// A card lighter than the page stands out; one darker than the page looks sunk into it, which
// is how dark themes commonly go wrong when the light values are inverted.
TEST(ThemeColors, CardsAreLighterThanThePageInBothSchemes) {
  for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
    const Rgba card = Theme::color(ColorToken::surface, scheme);
    const Rgba page = Theme::color(ColorToken::page, scheme);
    EXPECT_GT(Theme::relativeLuminance(card), Theme::relativeLuminance(page))
        << "scheme " << static_cast<int>(scheme);
    // Still close enough that a card reads as part of the same window.
    EXPECT_LT(Theme::contrastRatio(card, page), 1.5);
  }
}

TEST(ThemeOnAccent, LightAccentsGetBlackTextDarkOnesWhite) {
  EXPECT_EQ(Theme::onAccent(Rgba{0, 122, 255, 1}), white);  // the default blue
  EXPECT_EQ(Theme::onAccent(Rgba{255, 204, 0, 1}), black);  // yellow
  EXPECT_EQ(Theme::onAccent(Rgba{0, 0, 0, 1}), white);
  EXPECT_EQ(Theme::onAccent(Rgba{255, 255, 255, 1}), black);
}

TEST(ThemeOnAccent, ThresholdIsExclusive) {
  // Grey 158 is just under 0.62, grey 159 just over.
  EXPECT_EQ(Theme::onAccent(Rgba{158, 158, 158, 1}), white);
  EXPECT_EQ(Theme::onAccent(Rgba{159, 159, 159, 1}), black);
  // Green weighs most: pure green is light, pure red and pure blue are dark.
  EXPECT_EQ(Theme::onAccent(Rgba{0, 255, 0, 1}), white);
  EXPECT_EQ(Theme::onAccent(Rgba{0, 255, 120, 1}), black);
  EXPECT_EQ(Theme::onAccent(Rgba{255, 0, 0, 1}), white);
}

TEST(ThemeOnAccent, UnreadableAccentCountsAsLight) {
  EXPECT_EQ(Theme::onAccent(std::nullopt), black);
}

}  // namespace
}  // namespace dovrik
