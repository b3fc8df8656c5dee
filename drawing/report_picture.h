// The picture of a report: its geometry, texts, limits and chart laid out for a target.
#pragma once

#include "display_list.h"
#include "picture_layout.h"
#include "section_report.h"
#include "text_metrics.h"

namespace section {

DisplayList layoutPicture(const SectionReport &report, double width, double height,
                          const TextMetrics &metrics, const PictureOptions &options = {});

} // namespace section
