#include "report_picture.h"

namespace section {

DisplayList layoutPicture(const SectionReport &report, double width, double height,
                          const TextMetrics &metrics, const PictureOptions &options)
{
    return layoutPicture(report.geometry, report.texts(), width, height, metrics, options,
                         report.pictureLimits());
}

} // namespace section
