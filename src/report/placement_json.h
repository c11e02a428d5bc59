// The placement as one JSON object for programs:
//
//   {"width": W, "height": H, "area": A, "module_area": M,
//    "dead_space_percent": D, "wirelength": 123456.5,
//    "outline": {"width": 1326, "height": 1205, "fits": true},
//    "modules": [{"id": 1, "name": "bk1", "x": 0, "y": 0, "width": 336,
//                 "height": 133, "rotated": false}, ...]}
//
// "wirelength" and "outline" only when nets and an outline were given;
// modules in data-file order. Areas are
// written as JSON numbers with all their digits, exact however large: JSON sets
// numbers no precision, and readers that keep integers exact (Python's json,
// jq 1.7, Go's json.Number) get the area exactly even past 2^53. A reader that
// turns every number into a double rounds such an area as it would any large
// number. Names are JSON strings as JsonString (text_escape.h) makes them.
#ifndef FLOORPLAN_REPORT_PLACEMENT_JSON_H_
#define FLOORPLAN_REPORT_PLACEMENT_JSON_H_

#include <string>

#include "report/report_placement.h"

std::string PlacementJson(const ReportPlacement& placement);

#endif  // FLOORPLAN_REPORT_PLACEMENT_JSON_H_
