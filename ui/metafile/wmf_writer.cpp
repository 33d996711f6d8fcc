// Placeable Windows Metafile records: 16-bit coordinates, 8-bit text, objects numbered in the
// lowest free slot of the object table.
#include <uwmf.h>

#include <cstring>
#include <memory>

#include "ui/metafile/record_writer.h"
#include "ui/metafile/writer_common.h"

namespace tgsim::metafile {
namespace {

class WmfWriter final : public RecordWriter {
public:
    WmfWriter(QSize picture, int unitsPerPixel) : RecordWriter(picture, unitsPerPixel) {
        WMFHANDLES* table = nullptr;
        if (wmf_htable_create(64, 64, &table) != 0) throw std::bad_alloc();
        m_handles.reset(table);
    }

private:
    struct TableDeleter {
        void operator()(WMFHANDLES* table) const { wmf_htable_free(&table); }
    };

    void add(char* record) { append(record, record ? U_wmr_size(reinterpret_cast<const U_METARECORD*>(record)) : 0); }

    void writeHeader() override {
        const QSize logical = picture() * unitsPerPixel();
        const auto inch = static_cast<unsigned>(kPixelsPerInch * unitsPerPixel());
        U_PAIRF inches{float(picture().width()) / kPixelsPerInch, float(picture().height()) / kPixelsPerInch};
        char* header = U_WMRHEADER_set(&inches, inch);
        if (!header) throw std::bad_alloc();
        // The placeable header and the standard header are not records: they go in as they are,
        // with the destination rectangle set exactly (the library computes it in floats).
        U_WMRPLACEABLE placeable;
        std::memcpy(&placeable, header, U_SIZE_WMRPLACEABLE);
        placeable.Dst =
            U_RECT16{0, 0, static_cast<std::int16_t>(logical.width()), static_cast<std::int16_t>(logical.height())};
        std::memcpy(header, &placeable, U_SIZE_WMRPLACEABLE);
        body().append(header, U_SIZE_WMRPLACEABLE + U_SIZE_WMRHEADER);
        std::free(header);

        add(U_WMRSETWINDOWORG_set(point16(QPoint(0, 0))));
        add(U_WMRSETWINDOWEXT_set(point16(QPoint(logical.width(), logical.height()))));
    }

    void writeDrawingModes() override {
        add(U_WMRSETBKMODE_set(U_TRANSPARENT));
        add(U_WMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT));
        add(U_WMRSETPOLYFILLMODE_set(U_ALTERNATE));
    }

    QByteArray writeTrailer(const QRect&) override {
        add(U_WMREOF_set());
        QByteArray file = body();
        char* header = file.data() + U_SIZE_WMRPLACEABLE;
        const auto words = static_cast<std::uint32_t>((file.size() - U_SIZE_WMRPLACEABLE) / 2);
        const auto objects = static_cast<std::uint16_t>(m_handles->peak);
        const std::uint32_t largest = largestRecord() / 2;
        std::memcpy(header + offsetof(U_WMRHEADER, Sizew), &words, 4);
        std::memcpy(header + offsetof(U_WMRHEADER, nObjects), &objects, 2);
        std::memcpy(header + offsetof(U_WMRHEADER, maxSize), &largest, 4);
        const std::int16_t checksum = U_16_checksum(reinterpret_cast<std::int16_t*>(file.data()), 10);
        std::memcpy(file.data() + offsetof(U_WMRPLACEABLE, Checksum), &checksum, 2);
        return file;
    }

    Handle createPen(const PenSpec& pen) override {
        const U_PEN record =
            U_PEN_set(static_cast<std::uint16_t>(static_cast<std::uint32_t>(pen.style) | pen.capAndJoin),
                      static_cast<std::uint16_t>(pen.width), colorref(pen.color));
        std::uint32_t handle = 0;
        add(wcreatepenindirect_set(&handle, m_handles.get(), record));
        return handle;
    }

    Handle createBrush(const BrushSpec& brush) override {
        const std::uint16_t style = brush.hollow ? U_BS_NULL : brush.hatch >= 0 ? U_BS_HATCHED : U_BS_SOLID;
        const U_WLOGBRUSH record =
            U_WLOGBRUSH_set(style, colorref(brush.color), static_cast<std::uint16_t>(std::max(brush.hatch, 0)));
        std::uint32_t handle = 0;
        add(wcreatebrushindirect_set(&handle, m_handles.get(), record));
        return handle;
    }

    Handle createFont(const FontSpec& font) override {
        QByteArray face = toLatin1(font.face).left(31);
        U_FONT* record =
            U_FONT_set(static_cast<std::int16_t>(font.height), 0, static_cast<std::int16_t>(font.escapement),
                       static_cast<std::int16_t>(font.escapement), static_cast<std::int16_t>(font.weight),
                       font.italic ? 1 : 0, 0, 0, U_ANSI_CHARSET, U_OUT_TT_PRECIS, U_CLIP_DEFAULT_PRECIS,
                       U_ANTIALIASED_QUALITY, U_DEFAULT_PITCH | U_FF_DONTCARE, face.data());
        if (!record) throw std::bad_alloc();
        std::uint32_t handle = 0;
        add(wcreatefontindirect_set(&handle, m_handles.get(), record));
        std::free(record);
        return handle;
    }

    void selectObject(Handle handle) override { add(wselectobject_set(handle, m_handles.get())); }

    void deleteObject(Handle handle) override { add(wdeleteobject_set(&handle, m_handles.get())); }

    void writeTextColor(Rgb color) override { add(U_WMRSETTEXTCOLOR_set(colorref(color))); }

    void writeFillMode(bool winding) override { add(U_WMRSETPOLYFILLMODE_set(winding ? U_WINDING : U_ALTERNATE)); }

    void writePolyline(const Polyline& points, const QRect&) override {
        const std::vector<U_POINT16> data = points16(points);
        add(U_WMRPOLYLINE_set(static_cast<std::uint16_t>(data.size()), data.data()));
    }

    void writePolyPolygon(const std::vector<Polyline>& polygons, const QRect&) override {
        std::vector<U_POINT16> data;
        std::vector<std::uint16_t> counts;
        for (const Polyline& polygon : polygons) {
            counts.push_back(static_cast<std::uint16_t>(polygon.size()));
            const std::vector<U_POINT16> part = points16(polygon);
            data.insert(data.end(), part.begin(), part.end());
        }
        if (polygons.size() == 1)
            add(U_WMRPOLYGON_set(counts[0], data.data()));
        else
            add(U_WMRPOLYPOLYGON_set(static_cast<std::uint16_t>(counts.size()), counts.data(), data.data()));
    }

    void writeText(QPoint origin, const QString& text, const std::vector<std::int32_t>& advances,
                   const QRect&) override {
        // One byte per UTF-16 unit, so that the advances stay one per character.
        QByteArray bytes = toLatin1(text);
        std::vector<std::int16_t> dx(advances.begin(), advances.end());
        add(U_WMREXTTEXTOUT_set(point16(origin), static_cast<std::int16_t>(bytes.size()), 0, bytes.constData(),
                                dx.data(), U_RECT16{0, 0, 0, 0}));
    }

    void writeSaveState() override { add(U_WMRSAVEDC_set()); }
    void writeRestoreState() override { add(U_WMRRESTOREDC_set(-1)); }

    void writeIntersectClip(const QRect& rect) override {
        add(U_WMRINTERSECTCLIPRECT_set(
            U_RECT16{static_cast<std::int16_t>(rect.left()), static_cast<std::int16_t>(rect.top()),
                     static_cast<std::int16_t>(rect.right() + 1), static_cast<std::int16_t>(rect.bottom() + 1)}));
    }

    void writeImage(const QRect& target, const QImage& image) override {
        const DibBits dib = toDib(image);
        add(U_WMRSTRETCHDIB_set(point16(target.topLeft()), point16(QPoint(target.width(), target.height())),
                                point16(QPoint(0, 0)), point16(QPoint(image.width(), image.height())), U_DIB_RGB_COLORS,
                                U_SRCCOPY, reinterpret_cast<const U_BITMAPINFO*>(dib.header.constData()),
                                static_cast<std::uint32_t>(dib.pixels.size()), dib.pixels.constData()));
    }

    std::unique_ptr<WMFHANDLES, TableDeleter> m_handles;
};

}  // namespace

std::unique_ptr<RecordWriter> makeWmfWriter(QSize picture, int unitsPerPixel) {
    return std::make_unique<WmfWriter>(picture, unitsPerPixel);
}

}  // namespace tgsim::metafile
