#pragma once
// A paint device whose painting becomes a Windows metafile (placeable WMF or EMF) of the given
// size in pixels, at 96 pixels per inch.
#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

#include <memory>

#include "ui/metafile/gdi_objects.h"

namespace tgsim::metafile {

class MetafilePaintEngine;

class MetafileDevice final : public QPaintDevice {
public:
    // Throws tgsim::Failure for a size that a metafile cannot hold.
    MetafileDevice(QSize pixels, MetafileFormat format);
    ~MetafileDevice() override;

    QPaintEngine* paintEngine() const override;
    // The file's bytes once a painter on this device has ended.
    QByteArray data() const;
    QSize size() const { return m_size; }

    static constexpr int kLargestSide = 16000;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    std::unique_ptr<MetafilePaintEngine> m_engine;
};

}  // namespace tgsim::metafile
