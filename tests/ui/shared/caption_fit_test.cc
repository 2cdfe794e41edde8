// The one rule by which a caption that does not fit its control is shown, in every toolkit.
#include "ui/shared/caption_fit.h"

#include <gtest/gtest.h>

namespace ondrel::ui {
namespace {

TEST(FitCaptionTest, GrowsWithinItsRoomThenShrinksItsFace) {
  const ControlSpec label{.place = {1000, 500, 2000, 200}};
  const ControlSpec roomy{.place = {1000, 500, 2000, 200}, .captionRoomRight = 4000};
  const ControlSpec centred{
      .place = {1000, 500, 2000, 200}, .centred = true, .captionRoomRight = 3600};
  const ControlSpec wrapped{.place = {1000, 500, 2000, 400}, .wordWrap = true};
  const struct {
    const char* what;
    ControlSpec control;
    TextSize needAt8;  // what the caption needs at 8 points; in proportion at other sizes
    Place place;
    double points;
  } cases[] = {
      {"fits", label, {1800, 190}, {1000, 500, 2000, 200}, 8},
      {"grows right", roomy, {2800, 190}, {1000, 500, 2800, 200}, 8},
      {"grows about its centre", centred, {2400, 190}, {800, 500, 2400, 200}, 8},
      {"kept inside its room", centred, {3400, 190}, {200, 500, 3400, 200}, 8},
      {"taller about its middle", roomy, {1800, 240}, {1000, 480, 2000, 240}, 8},
      {"too wide for its own place", label, {2400, 100}, {1000, 500, 2000, 200}, 6.5},
      {"too wide for its room", roomy, {4400, 100}, {13, 500, 3987, 200}, 7.25},
      {"wrapped onto too many lines", wrapped, {1800, 500}, {1000, 500, 2000, 400}, 6.25},
      {"no smaller than the smallest face", label, {9000, 100}, {1000, 500, 6750, 200}, 6},
  };
  for (const auto& c : cases) {
    const FittedCaption fitted = FitCaption(c.control, [&](double points) {
      return TextSize{static_cast<int>(c.needAt8.width * points / 8),
                      static_cast<int>(c.needAt8.height * points / 8)};
    });
    EXPECT_EQ(fitted.points, c.points) << c.what;
    const Place& at = fitted.place;
    EXPECT_EQ((std::array{at.left, at.top, at.width, at.height}),
              (std::array{c.place.left, c.place.top, c.place.width, c.place.height}))
        << c.what;
  }
}

TEST(ShortenedToFitTest, KeepsTheHeadAndBothEndsOfWhatIsTooWide) {
  const struct {
    std::string_view text;
    std::size_t room;  // bytes that fit
    std::string_view shown;
  } cases[] = {
      {"Analisi di: breve.htm", 30, "Analisi di: breve.htm"},
      {"Analisi di: elenco-dei-clienti.htm", 24, "Analisi di: elenc....htm"},
      {"un-indirizzo-molto-lungo@esempio.it", 20, "un-indiri...empio.it"},
      {"Analisi di: nome.htm", 14, "Analis...e.htm"},  // no room for the head: the whole text
      {"Analisi di: \xC3\xA0\xC3\xA0\xC3\xA0\xC3\xA0.htm", 21,
       "Analisi di: \xC3\xA0...htm"},  // never half a letter
      {"abcdef", 2, "..."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortenedToFit(c.text, [&](std::string_view text) { return text.size() <= c.room; }),
              c.shown)
        << c.text;
  }
}

}  // namespace
}  // namespace ondrel::ui
