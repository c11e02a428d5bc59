// The picture answers the questions users ask of it: which module is where
// (labels that can be read, tooltips for the rest), what the final cost is
// (with a round tick by it), and how the run went, on axes that fit the
// numbers.
#include "report/svg_picture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

size_t Count(const std::string& text, const std::string& piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != std::string::npos;
       at = text.find(piece, at + 1)) {
    ++count;
  }
  return count;
}

// A 1000 x 1000 box drawn at 0.6 pixels a unit (600 pixels high at most):
// the label of the 1000 x 10 module could be at most 5 units, 3 pixels,
// tall and is left to its tooltip; the other's is a thirtieth of the box,
// 20 pixels.
ReportPlacement TwoModules() {
  ReportPlacement placement;
  placement.modules = {{{1, 1000, 990, "big", 1}, {1, 0, 0, 1000, 990, false}},
                       {{2, 10, 1000, "tiny", 2}, {2, 0, 990, 1000, 10, true}}};
  placement.width = 1000;
  placement.height = 1000;
  return placement;
}

std::string Picture(const ReportPlacement& placement, const CostCurve& curve,
                    bool hasInitialCost, Area initialCost, bool hasTemperature,
                    Outline outline = {0, 0}) {
  PictureInput input;
  input.title = "ami33 & co, lambda 0.9";
  input.placement = &placement;
  input.run.curve = &curve;
  input.run.hasInitialCost = hasInitialCost;
  input.run.initialCost = initialCost;
  input.run.hasTemperature = hasTemperature;
  input.run.hasOutline = outline.width > 0;
  input.run.outline = outline;
  return RenderSvg(input);
}

TEST(SvgPictureTest, LabelsTooSmallToReadAreLeftToTheTooltip) {
  ReportPlacement placement = TwoModules();
  CostCurve curve(kCurveColumns);
  curve.Add(1000000, 0);
  std::string svg = Picture(placement, curve, false, 0, false);
  EXPECT_EQ(1u, Count(svg, ">big</text>"));
  EXPECT_EQ(0u, Count(svg, ">tiny</text>"));
  EXPECT_EQ(1u, Count(svg, "<title>module 2 (tiny) at (0, 990), 1000 x 10, "
                           "turned</title>"));
  EXPECT_EQ(1u, Count(svg, "font-size=\"33.33333333\">big<"));
  EXPECT_EQ(1u, Count(svg, ">ami33 &amp; co, lambda 0.9</text>"));
}

TEST(SvgPictureTest, CostAxisAndFinalBestFitTheRun) {
  struct Case {
    const char* name;
    std::vector<Area> costs;
    Area initialCost;
    bool hasTemperature;
    const char* costAxis;
    const char* finalBest;
    const char* tickNearFinal;
    Outline outline = {0, 0};  // none
  };
  const Case cases[] = {
      // The initial floorplan 5 times the final area: a log scale.
      {"wide",
       {4000000, 3000000, 1000000, 1200000},
       5000000,
       false,
       ">cost (area, log scale)</text>",
       ">final best 1,000,000</text>",
       ">1,000,000</text>"},
      {"narrow",
       {2000000, 3000000, 1000000, 1200000},
       2500000,
       true,
       ">cost (area)</text>",
       ">final best 1,000,000</text>",
       ">1,000,000</text>"},
      // The best so far is the initial floorplan when no move beats it.
      {"never better",
       {3000000, 2000000},
       1000000,
       true,
       ">cost (area)</text>",
       ">final best 1,000,000</text>",
       ">1,000,000</text>"},
      // Ticks every million from 2,000,000, and a round one by the final
      // cost; the outline's area 1300 x 1300 inside the axis.
      {"unround, with an outline",
       {5200000, 3000000, 1479359},
       5000000,
       false,
       ">cost (area)</text>",
       ">final best 1,479,359</text>",
       ">1,500,000</text>",
       {1300, 1300}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReportPlacement placement = TwoModules();
    CostCurve curve(kCurveColumns);
    curve.SetInitialCost(c.initialCost);
    double temperature = 1000;
    for (Area cost : c.costs) {
      curve.Add(cost, temperature);
      temperature *= 0.5;
    }
    std::string svg = Picture(placement, curve, true, c.initialCost,
                              c.hasTemperature, c.outline);
    EXPECT_EQ(1u, Count(svg, c.costAxis));
    EXPECT_EQ(1u, Count(svg, c.finalBest));
    EXPECT_EQ(1u, Count(svg, c.tickNearFinal));
    EXPECT_EQ(1u, Count(svg, "<path class=\"band\" d=\"M"));
    EXPECT_EQ(c.outline.width > 0 ? 1u : 0u,
              Count(svg, ">outline area (1,690,000)</text>"));
    EXPECT_EQ(c.hasTemperature ? 1u : 0u,
              Count(svg, ">temperature (right axis, log scale)</text>"));
    if (c.hasTemperature) {
      // The temperature starts at 1000, a round value its axis marks.
      EXPECT_EQ(1u, Count(svg, ">1,000</text>"));
      EXPECT_NE(std::string::npos, svg.find(", temperature 1000 to "));
    }
  }
}

}  // namespace
