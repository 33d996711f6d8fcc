// Enhanced Metafile records: the header carries the drawn bounds, the frame in hundredths of a
// millimetre and a reference device of 96 pixels per inch; text is UTF-16.
#include <uemf.h>

#include <cstring>
#include <memory>

#include "ui/metafile/record_writer.h"
#include "ui/metafile/writer_common.h"

namespace tgsim::metafile {
namespace {

// A reference device whose size in millimetres is exact at 96 pixels per inch.
constexpr std::int32_t kDeviceWidth = 1920, kDeviceHeight = 1440;
constexpr std::int32_t kDeviceWidthMm = 508, kDeviceHeightMm = 381;

U_RECTL rectl(const QRect& r) { return U_RECTL{r.left(), r.top(), r.right(), r.bottom()}; }

bool fits16(const Polyline& points) {
    for (QPoint p : points)
        if (p.x() < -32768 || p.x() > 32767 || p.y() < -32768 || p.y() > 32767) return false;
    return true;
}

std::u16string utf16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

class EmfWriter final : public RecordWriter {
public:
    EmfWriter(QSize picture, int unitsPerPixel) : RecordWriter(picture, unitsPerPixel) {
        EMFHANDLES* table = nullptr;
        if (emf_htable_create(64, 64, &table) != 0) throw std::bad_alloc();
        m_handles.reset(table);
    }

private:
    struct TableDeleter {
        void operator()(EMFHANDLES* table) const { emf_htable_free(&table); }
    };

    void add(char* record) { append(record, record ? reinterpret_cast<const U_EMR*>(record)->nSize : 0); }

    void writeHeader() override {
        const QSize logical = picture() * unitsPerPixel();
        std::u16string description = u"tgsim";
        description.push_back(u'\0');
        description += u"chart";
        description.push_back(u'\0');
        description.push_back(u'\0');
        const U_RECTL frame{0, 0, hundredthsOfMm(picture().width()), hundredthsOfMm(picture().height())};
        add(U_EMRHEADER_set(U_RECTL{0, 0, -1, -1}, frame, nullptr, static_cast<U_CBSTR>(description.size()),
                            reinterpret_cast<std::uint16_t*>(description.data()),
                            sizel_set(kDeviceWidth, kDeviceHeight), sizel_set(kDeviceWidthMm, kDeviceHeightMm), 0));
        add(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC));
        add(U_EMRSETWINDOWORGEX_set(point32_set(0, 0)));
        add(U_EMRSETWINDOWEXTEX_set(sizel_set(logical.width(), logical.height())));
        add(U_EMRSETVIEWPORTORGEX_set(point32_set(0, 0)));
        add(U_EMRSETVIEWPORTEXTEX_set(sizel_set(picture().width(), picture().height())));
    }

    void writeDrawingModes() override {
        add(U_EMRSETBKMODE_set(U_TRANSPARENT));
        add(U_EMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT));
        add(U_EMRSETPOLYFILLMODE_set(U_ALTERNATE));
    }

    static std::int32_t hundredthsOfMm(int pixels) {
        return static_cast<std::int32_t>(std::lround(pixels * 2540.0 / kPixelsPerInch));
    }

    QByteArray writeTrailer(const QRect& drawn) override {
        EMFTRACK track{};
        add(U_EMREOF_set(0, nullptr, &track));
        QByteArray file = body();
        U_EMRHEADER header;
        std::memcpy(&header, file.constData(), sizeof header);
        header.rclBounds = drawn.isEmpty() ? U_RECTL{0, 0, -1, -1} : rectl(drawn);
        header.nBytes = static_cast<std::uint32_t>(file.size());
        header.nRecords = recordCount();
        header.nHandles = static_cast<std::uint16_t>(m_handles->peak + 1);
        header.szlMicrometers = sizel_set(kDeviceWidthMm * 1000, kDeviceHeightMm * 1000);
        std::memcpy(file.data(), &header, sizeof header);
        return file;
    }

    Handle createPen(const PenSpec& pen) override {
        std::uint32_t handle = 0;
        if (pen.style == LineStyle::None) {
            // Readers know the null pen by its style alone, without the geometric flag.
            add(createpen_set(&handle, m_handles.get(), logpen_set(U_PS_NULL, U_POINT{0, 0}, colorref(pen.color))));
            return handle;
        }
        // A geometric pen: its width is in logical units and its dashes scale with it, as the
        // dashes of Qt's pens do.
        PU_EXTLOGPEN logpen =
            extlogpen_set(U_PS_GEOMETRIC | static_cast<std::uint32_t>(pen.style) | pen.capAndJoin,
                          static_cast<std::uint32_t>(pen.width), U_BS_SOLID, colorref(pen.color), 0, 0, nullptr);
        if (!logpen) throw std::bad_alloc();
        add(extcreatepen_set(&handle, m_handles.get(), nullptr, 0, nullptr, logpen));
        std::free(logpen);
        return handle;
    }

    Handle createBrush(const BrushSpec& brush) override {
        const std::uint32_t style = brush.hollow ? U_BS_NULL : brush.hatch >= 0 ? U_BS_HATCHED : U_BS_SOLID;
        std::uint32_t handle = 0;
        add(createbrushindirect_set(&handle, m_handles.get(),
                                    logbrush_set(style, colorref(brush.color), std::max(brush.hatch, 0))));
        return handle;
    }

    Handle createFont(const FontSpec& font) override {
        std::u16string face = utf16(font.face).substr(0, 31);
        face.resize(32, u'\0');
        const U_LOGFONT logfont =
            logfont_set(font.height, 0, font.escapement, font.escapement, font.weight, font.italic ? 1 : 0, 0, 0,
                        U_DEFAULT_CHARSET, U_OUT_TT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_ANTIALIASED_QUALITY,
                        U_DEFAULT_PITCH | U_FF_DONTCARE, reinterpret_cast<std::uint16_t*>(face.data()));
        std::uint32_t handle = 0;
        add(extcreatefontindirectw_set(&handle, m_handles.get(), reinterpret_cast<const char*>(&logfont), nullptr));
        return handle;
    }

    void selectObject(Handle handle) override { add(selectobject_set(handle, m_handles.get())); }

    void deleteObject(Handle handle) override { add(deleteobject_set(&handle, m_handles.get())); }

    void writeTextColor(Rgb color) override { add(U_EMRSETTEXTCOLOR_set(colorref(color))); }

    void writeFillMode(bool winding) override { add(U_EMRSETPOLYFILLMODE_set(winding ? U_WINDING : U_ALTERNATE)); }

    void writePolyline(const Polyline& points, const QRect& bounds) override {
        const auto count = static_cast<std::uint32_t>(points.size());
        if (fits16(points)) {
            add(U_EMRPOLYLINE16_set(rectl(bounds), count, points16(points).data()));
        } else {
            std::vector<U_POINTL> data;
            for (QPoint p : points) data.push_back(point32_set(p.x(), p.y()));
            add(U_EMRPOLYLINE_set(rectl(bounds), count, data.data()));
        }
    }

    void writePolyPolygon(const std::vector<Polyline>& polygons, const QRect& bounds) override {
        std::vector<std::uint32_t> counts;
        Polyline all;
        for (const Polyline& polygon : polygons) {
            counts.push_back(static_cast<std::uint32_t>(polygon.size()));
            all.insert(all.end(), polygon.begin(), polygon.end());
        }
        const auto total = static_cast<std::uint32_t>(all.size());
        if (fits16(all)) {
            const std::vector<U_POINT16> data = points16(all);
            if (polygons.size() == 1)
                add(U_EMRPOLYGON16_set(rectl(bounds), total, data.data()));
            else
                add(U_EMRPOLYPOLYGON16_set(rectl(bounds), static_cast<std::uint32_t>(counts.size()), counts.data(),
                                           total, data.data()));
        } else {
            std::vector<U_POINTL> data;
            for (QPoint p : all) data.push_back(point32_set(p.x(), p.y()));
            add(U_EMRPOLYPOLYGON_set(rectl(bounds), static_cast<std::uint32_t>(counts.size()), counts.data(), total,
                                     data.data()));
        }
    }

    void writeText(QPoint origin, const QString& text, const std::vector<std::int32_t>& advances,
                   const QRect& deviceBox) override {
        std::u16string units = utf16(text);
        std::vector<std::uint32_t> dx(advances.begin(), advances.end());
        char* emrtext = emrtext_set(point32_set(origin.x(), origin.y()), static_cast<U_NUM_STR>(units.size()), 2,
                                    units.data(), U_ETO_NONE, U_RECTL{0, 0, -1, -1}, dx.data());
        if (!emrtext) throw std::bad_alloc();
        // Scale from logical units to hundredths of a millimetre, as GDI records it.
        const auto scale = static_cast<U_FLOAT>(2540.0 / kPixelsPerInch / unitsPerPixel());
        add(U_EMREXTTEXTOUTW_set(rectl(deviceBox), U_GM_COMPATIBLE, scale, scale,
                                 reinterpret_cast<PU_EMRTEXT>(emrtext)));
        std::free(emrtext);
    }

    void writeSaveState() override { add(U_EMRSAVEDC_set()); }
    void writeRestoreState() override { add(U_EMRRESTOREDC_set(-1)); }

    void writeIntersectClip(const QRect& rect) override {
        // The rectangle's right and bottom edges are excluded, as with every GDI rectangle.
        add(U_EMRINTERSECTCLIPRECT_set(U_RECTL{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}));
    }

    void writeImage(const QRect& target, const QImage& image) override {
        const DibBits dib = toDib(image);
        const int u = unitsPerPixel();
        const QRect device(target.topLeft() / u, target.bottomRight() / u);
        QByteArray pixels = dib.pixels;
        add(U_EMRSTRETCHDIBITS_set(rectl(device), point32_set(target.left(), target.top()),
                                   point32_set(target.width(), target.height()), point32_set(0, 0),
                                   point32_set(image.width(), image.height()), U_DIB_RGB_COLORS, U_SRCCOPY,
                                   reinterpret_cast<PU_BITMAPINFO>(const_cast<char*>(dib.header.constData())),
                                   static_cast<std::uint32_t>(pixels.size()), pixels.data()));
    }

    std::unique_ptr<EMFHANDLES, TableDeleter> m_handles;
};

}  // namespace

std::unique_ptr<RecordWriter> makeEmfWriter(QSize picture, int unitsPerPixel) {
    return std::make_unique<EmfWriter>(picture, unitsPerPixel);
}

std::unique_ptr<RecordWriter> makeRecordWriter(MetafileFormat format, QSize picture, int unitsPerPixel) {
    return format == MetafileFormat::Wmf ? makeWmfWriter(picture, unitsPerPixel)
                                         : makeEmfWriter(picture, unitsPerPixel);
}

}  // namespace tgsim::metafile
