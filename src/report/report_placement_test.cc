// One small placement, worked out by hand, through the table and its three
// writers: rows back in data-file order, the summary's sums, and each
// format's quoting of names that would break it.
#include "report/report_placement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/placement_csv.h"
#include "report/placement_json.h"
#include "report/placement_text.h"

namespace {

// Modules 3, 1 and 2 in expression order: <3><1>V<2>H, module 1 turned.
//   2 (30 x 30) at (0, 50)
//   3 (10 x 50) at (0, 0), 1 (40 x 20 turned: 20 x 40) at (10, 0)
// Box 30 x 80 = 2400; modules 800 + 900 + 500 = 2200; dead 200 / 2400.
struct Example {
  std::vector<DataModule> modules;
  Placement placement;
  std::vector<size_t> dataIndex{2, 0, 1};

  Example() {
    modules.resize(3);
    modules[0] = {1, 40, 20, "a,b\"c", 1};
    modules[1] = {2, 30, 30, "\x1b]0;owned\x07", 2};
    modules[2] = {3, 10, 50, "", 3};
    placement.modules = {{3, 0, 0, 10, 50, false},
                         {1, 10, 0, 20, 40, true},
                         {2, 0, 50, 30, 30, false}};
    placement.width = 30;
    placement.height = 80;
  }
};

TEST(ReportPlacementTest, RowsInDataOrderAndSums) {
  Example example;
  ReportPlacement joined =
      JoinPlacement(example.placement, example.modules, example.dataIndex);
  ASSERT_EQ(3u, joined.modules.size());
  for (size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(example.modules[k].name, joined.modules[k].module.name);
    EXPECT_EQ(joined.modules[k].module.identifier,
              joined.modules[k].place.identifier);
  }
  EXPECT_EQ(10, joined.modules[0].place.x);
  EXPECT_TRUE(joined.modules[0].place.rotated);
  EXPECT_EQ(50, joined.modules[1].place.y);
  EXPECT_TRUE(AnyName(joined));
  EXPECT_EQ(Area{2400}, BoxAreaOf(joined));
  EXPECT_EQ(Area{2200}, ModuleAreaOf(joined));
}

TEST(ReportPlacementTest, EachFormatWritesTheSamePlacement) {
  Example example;
  ReportPlacement table =
      JoinPlacement(example.placement, example.modules, example.dataIndex);
  // The escape and the bell of module 2's name would set the terminal's
  // title; the table shows them as '?'.
  EXPECT_EQ(
      "module   x   y  width  height  rotated  name\n"
      "1       10   0     20      40        1  a,b\"c\n"
      "2        0  50     30      30        0  ?]0;owned?\n"
      "3        0   0     10      50        0  \n"
      "\n"
      "bounding width   30\n"
      "bounding height  80\n"
      "area             2400\n"
      "module area      2200\n"
      "dead space       8.33 %\n"
      "aspect ratio     0.375 (width / height)\n",
      PlacementText(table));
  EXPECT_EQ("picture          p?.svg\n", PictureLine("p\x1b.svg"));
  EXPECT_EQ(
      "id,name,x,y,width,height,rotated\r\n"
      "1,\"a,b\"\"c\",10,0,20,40,1\r\n"
      "2,\x1b]0;owned\x07,0,50,30,30,0\r\n"
      "3,,0,0,10,50,0\r\n",
      PlacementCsv(table));
  EXPECT_EQ(
      "{\n"
      "  \"width\": 30,\n"
      "  \"height\": 80,\n"
      "  \"area\": 2400,\n"
      "  \"module_area\": 2200,\n"
      "  \"dead_space_percent\": 8.3333,\n"
      "  \"modules\": [\n"
      "    {\"id\": 1, \"name\": \"a,b\\\"c\", \"x\": 10, \"y\": 0, "
      "\"width\": 20, \"height\": 40, \"rotated\": true},\n"
      "    {\"id\": 2, \"name\": \"\\u001b]0;owned\\u0007\", \"x\": 0, "
      "\"y\": 50, \"width\": 30, \"height\": 30, \"rotated\": false},\n"
      "    {\"id\": 3, \"name\": \"\", \"x\": 0, \"y\": 0, \"width\": 10, "
      "\"height\": 50, \"rotated\": false}\n"
      "  ]\n"
      "}\n",
      PlacementJson(table));
}

// A box of 2^40 x 2^30: an area of 2^70 = 1180591620717411303424, past both
// 2^63 and a double's 2^53, is written with every digit.
TEST(ReportPlacementTest, AreasBeyondSixtyThreeBitsStayExact) {
  Example example;
  example.placement.width = int64_t{1} << 40;
  example.placement.height = int64_t{1} << 30;
  ReportPlacement table =
      JoinPlacement(example.placement, example.modules, example.dataIndex);
  const std::string digits = "1180591620717411303424";
  EXPECT_NE(std::string::npos, PlacementText(table).find(
                                   "\narea             " + digits + "\n"));
  EXPECT_NE(std::string::npos,
            PlacementJson(table).find("\"area\": " + digits + ",\n"));
}

}  // namespace
