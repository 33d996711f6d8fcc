#include "ui/metafile/metafile_device.h"

#include <cmath>

#include "base/failure.h"
#include "ui/metafile/metafile_paint_engine.h"
#include "ui/metafile/writer_common.h"

namespace tgsim::metafile {

MetafileDevice::MetafileDevice(QSize pixels, MetafileFormat format) : m_size(pixels) {
    if (pixels.width() < 1 || pixels.height() < 1 || pixels.width() > kLargestSide || pixels.height() > kLargestSide)
        throw Failure("Picture size " + std::to_string(pixels.width()) + " x " + std::to_string(pixels.height()) +
                      " cannot be saved as a metafile");
    m_engine = std::make_unique<MetafilePaintEngine>(format, pixels);
}

MetafileDevice::~MetafileDevice() = default;

QPaintEngine* MetafileDevice::paintEngine() const { return m_engine.get(); }

QByteArray MetafileDevice::data() const { return m_engine->result(); }

int MetafileDevice::metric(PaintDeviceMetric metric) const {
    const auto millimetres = [](int pixels) { return static_cast<int>(std::lround(pixels * 25.4 / kPixelsPerInch)); };
    switch (metric) {
    case PdmWidth: return m_size.width();
    case PdmHeight: return m_size.height();
    case PdmWidthMM: return millimetres(m_size.width());
    case PdmHeightMM: return millimetres(m_size.height());
    case PdmNumColors: return 1 << 24;
    case PdmDepth: return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return kPixelsPerInch;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
    }
}

}  // namespace tgsim::metafile
