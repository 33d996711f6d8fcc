#include "metafile_playback.h"

#include <QtEndian>

#include <algorithm>
#include <map>
#include <variant>

namespace tgsim::testing {
namespace {

// Little-endian fields read at a byte offset; reads past the end give zero and an error.
class Bytes {
public:
    explicit Bytes(const QByteArray& data) : m_data(data) {}
    template <typename T>
    T at(std::size_t offset) const {
        if (offset + sizeof(T) > static_cast<std::size_t>(m_data.size())) {
            m_overrun = true;
            return T{};
        }
        return qFromLittleEndian<T>(m_data.constData() + offset);
    }
    QColor color(std::size_t offset) const {
        return QColor(at<std::uint8_t>(offset), at<std::uint8_t>(offset + 1), at<std::uint8_t>(offset + 2));
    }
    std::size_t size() const { return static_cast<std::size_t>(m_data.size()); }
    bool overrun() const { return m_overrun; }

private:
    const QByteArray& m_data;
    mutable bool m_overrun = false;
};

struct Brush {
    bool hollow = false;
    QColor color;
};
struct Font {
    int height = 0, escapement = 0;
    QString face;
};
using Object = std::variant<Pen, Brush, Font, std::monostate>;

// What the playback keeps of the drawing state; SaveDC and RestoreDC copy it whole.
struct State {
    std::optional<Pen> pen;
    std::optional<Brush> brush;
    std::optional<Font> font;
    QColor textColor = Qt::black;
    std::optional<QRect> clip;
};

class Player {
public:
    explicit Player(Playback& out) : m_out(out) {}

    void create(std::uint32_t index, Object object) {
        if (m_objects.count(index)) error(QString("object %1 created twice").arg(index));
        m_objects[index] = std::move(object);
        m_out.highestObject = std::max(m_out.highestObject, index);
    }
    void select(std::uint32_t index) {
        const auto found = m_objects.find(index);
        if (found == m_objects.end()) return error(QString("selects missing object %1").arg(index));
        if (auto* pen = std::get_if<Pen>(&found->second)) m_state.pen = *pen;
        if (auto* brush = std::get_if<Brush>(&found->second)) m_state.brush = *brush;
        if (auto* font = std::get_if<Font>(&found->second)) m_state.font = *font;
        m_selected[found->second.index()] = index;
    }
    void remove(std::uint32_t index) {
        const auto found = m_objects.find(index);
        if (found == m_objects.end()) return error(QString("deletes missing object %1").arg(index));
        const auto selected = m_selected.find(found->second.index());
        if (selected != m_selected.end() && selected->second == index) {
            error(QString("deletes selected object %1").arg(index));
            m_selected.erase(selected);
        }
        m_objects.erase(found);
    }
    bool live(std::uint32_t index) const { return m_objects.count(index) != 0; }
    void save() { m_saved.push_back(m_state); }
    void restore() {
        if (m_saved.empty()) return error("restores a state never saved");
        m_state = m_saved.back();
        m_saved.pop_back();
        m_selected.clear();
    }
    void clip(const QRect& rect) { m_state.clip = m_state.clip ? m_state.clip->intersected(rect) : rect; }
    void textColor(const QColor& color) { m_state.textColor = color; }
    void stroke(std::size_t points) {
        if (!m_state.pen) return error("line drawn without a pen");
        m_out.strokes.push_back({*m_state.pen, points, m_state.clip});
    }
    void fill() {
        if (!m_state.brush) return error("shape filled without a brush");
        if (!m_state.brush->hollow) m_out.fills.push_back(m_state.brush->color);
    }
    void text(const QString& text, QPoint origin, std::vector<int> advances) {
        if (!m_state.font) return error("text drawn without a font");
        m_out.texts.push_back({text, origin, std::move(advances), m_state.font->height, m_state.font->escapement,
                               m_state.font->face, m_state.textColor});
    }
    void error(const QString& message) { m_out.errors << message; }

private:
    Playback& m_out;
    std::map<std::uint32_t, Object> m_objects;
    std::map<std::size_t, std::uint32_t> m_selected;  // kind of object -> index
    State m_state;
    std::vector<State> m_saved;
};

}  // namespace

WmfStructure readWmf(const QByteArray& file) {
    WmfStructure wmf;
    const Bytes b(file);
    wmf.key = b.at<std::uint32_t>(0);
    wmf.handle = b.at<std::uint16_t>(4);
    const int left = b.at<std::int16_t>(6), top = b.at<std::int16_t>(8);
    wmf.destination = QRect(QPoint(left, top), QPoint(b.at<std::int16_t>(10) - 1, b.at<std::int16_t>(12) - 1));
    wmf.inch = b.at<std::uint16_t>(14);
    wmf.checksum = b.at<std::uint16_t>(20);
    for (std::size_t i = 0; i < 20; i += 2) wmf.computedChecksum ^= b.at<std::uint16_t>(i);
    wmf.fileType = b.at<std::uint16_t>(22);
    wmf.headerWords = b.at<std::uint16_t>(24);
    wmf.version = b.at<std::uint16_t>(26);
    wmf.sizeWords = b.at<std::uint16_t>(28) | (std::uint32_t(b.at<std::uint16_t>(30)) << 16);
    wmf.objects = b.at<std::uint16_t>(32);
    wmf.largestRecordWords = b.at<std::uint16_t>(34) | (std::uint32_t(b.at<std::uint16_t>(36)) << 16);
    for (std::size_t at = 40; at < b.size();) {
        const std::uint32_t words = b.at<std::uint32_t>(at);
        if (words < 3 || at + 2 * std::size_t(words) > b.size()) {
            wmf.errors << QString("record at %1 has a bad size of %2 words").arg(at).arg(words);
            break;
        }
        wmf.records.push_back({at, 2 * words, b.at<std::uint16_t>(at + 4)});
        at += 2 * std::size_t(words);
    }
    if (b.overrun()) wmf.errors << "file shorter than its headers";
    return wmf;
}

EmfStructure readEmf(const QByteArray& file) {
    EmfStructure emf;
    const Bytes b(file);
    auto rect = [&b](std::size_t at) {
        return QRect(QPoint(b.at<std::int32_t>(at), b.at<std::int32_t>(at + 4)),
                     QPoint(b.at<std::int32_t>(at + 8), b.at<std::int32_t>(at + 12)));
    };
    emf.bounds = rect(8);
    emf.frame = rect(24);
    emf.signature = b.at<std::uint32_t>(40);
    emf.version = b.at<std::uint32_t>(44);
    emf.bytes = b.at<std::uint32_t>(48);
    emf.recordCount = b.at<std::uint32_t>(52);
    emf.handles = b.at<std::uint16_t>(56);
    emf.device = QPoint(b.at<std::int32_t>(72), b.at<std::int32_t>(76));
    emf.millimetres = QPoint(b.at<std::int32_t>(80), b.at<std::int32_t>(84));
    for (std::size_t at = 0; at < b.size();) {
        const std::uint32_t size = b.at<std::uint32_t>(at + 4);
        if (size < 8 || size % 4 != 0 || at + size > b.size()) {
            emf.errors << QString("record at %1 has a bad size of %2 bytes").arg(at).arg(size);
            break;
        }
        emf.records.push_back({at, size, b.at<std::uint32_t>(at)});
        at += size;
    }
    if (b.overrun()) emf.errors << "file shorter than its header";
    return emf;
}

Playback playWmf(const QByteArray& file) {
    Playback out;
    const WmfStructure wmf = readWmf(file);
    out.errors = wmf.errors;
    Player player(out);
    const Bytes b(file);
    auto lowestFree = [&player] {
        std::uint32_t index = 0;
        while (player.live(index)) ++index;
        return index;
    };
    for (const Record& r : wmf.records) {
        const std::size_t p = r.offset + 6;  // first parameter
        switch (r.type) {
        case 0x02FA:  // CREATEPENINDIRECT
            player.create(lowestFree(), Pen{b.at<std::uint16_t>(p), b.at<std::int16_t>(p + 2), b.color(p + 6)});
            break;
        case 0x02FC:  // CREATEBRUSHINDIRECT
            player.create(lowestFree(), Brush{b.at<std::uint16_t>(p) == 1, b.color(p + 2)});
            break;
        case 0x02FB:  // CREATEFONTINDIRECT
            player.create(lowestFree(), Font{b.at<std::int16_t>(p), b.at<std::int16_t>(p + 4),
                                             QString::fromLatin1(file.constData() + p + 18)});
            break;
        case 0x00F7:
        case 0x01F9:
        case 0x0142:
        case 0x06FF:  // other objects
            player.create(lowestFree(), std::monostate{});
            break;
        case 0x012D: player.select(b.at<std::uint16_t>(p)); break;
        case 0x01F0: player.remove(b.at<std::uint16_t>(p)); break;
        case 0x0209: player.textColor(b.color(p)); break;
        case 0x001E: player.save(); break;
        case 0x0127: player.restore(); break;
        case 0x0416: {  // INTERSECTCLIPRECT: bottom, right, top, left
            const int bottom = b.at<std::int16_t>(p), right = b.at<std::int16_t>(p + 2);
            const int top = b.at<std::int16_t>(p + 4), left = b.at<std::int16_t>(p + 6);
            player.clip(QRect(left, top, right - left, bottom - top));
            break;
        }
        case 0x0325: {  // POLYLINE
            const std::uint32_t count = b.at<std::uint16_t>(p);
            if (r.size != 8 + 4 * count) player.error("polyline size does not match its points");
            player.stroke(count);
            break;
        }
        case 0x0324:
        case 0x0538: player.fill(); break;
        case 0x0A32: {  // EXTTEXTOUT
            const QPoint origin(b.at<std::int16_t>(p + 2), b.at<std::int16_t>(p));
            const int count = b.at<std::int16_t>(p + 4);
            const std::uint16_t options = b.at<std::uint16_t>(p + 6);
            const std::size_t string = p + 8 + ((options & 0x0006) ? 8 : 0);
            const std::size_t dx = string + std::size_t(count + 1) / 2 * 2;
            std::vector<int> advances;
            if (dx + 2 * std::size_t(count) <= r.offset + r.size)
                for (int i = 0; i < count; ++i) advances.push_back(b.at<std::int16_t>(dx + 2 * i));
            player.text(QString::fromLatin1(file.constData() + string, count), origin, advances);
            break;
        }
        case 0x0F43:
        case 0x0B41: ++out.images; break;
        default: break;
        }
    }
    if (b.overrun()) out.errors << "a record reaches past the end of the file";
    return out;
}

Playback playEmf(const QByteArray& file) {
    Playback out;
    const EmfStructure emf = readEmf(file);
    out.errors = emf.errors;
    Player player(out);
    const Bytes b(file);
    auto checkIndex = [&](std::uint32_t index) {
        if (index == 0 || index >= emf.handles)
            player.error(QString("object index %1 outside the handle table").arg(index));
        return index;
    };
    for (const Record& r : emf.records) {
        const std::size_t p = r.offset + 8;
        switch (r.type) {
        case 38:  // CREATEPEN
            player.create(checkIndex(b.at<std::uint32_t>(p)),
                          Pen{b.at<std::uint32_t>(p + 4), b.at<std::int32_t>(p + 8), b.color(p + 16)});
            break;
        case 95:  // EXTCREATEPEN
            player.create(checkIndex(b.at<std::uint32_t>(p)),
                          Pen{b.at<std::uint32_t>(p + 20), b.at<std::int32_t>(p + 24), b.color(p + 32)});
            break;
        case 39:  // CREATEBRUSHINDIRECT
            player.create(checkIndex(b.at<std::uint32_t>(p)), Brush{b.at<std::uint32_t>(p + 4) == 1, b.color(p + 8)});
            break;
        case 82: {  // EXTCREATEFONTINDIRECTW
            const auto* face = reinterpret_cast<const char16_t*>(file.constData() + p + 32);
            QString name = QString::fromUtf16(face, 32);
            name.truncate(name.indexOf(QChar(0)) < 0 ? 32 : name.indexOf(QChar(0)));
            player.create(checkIndex(b.at<std::uint32_t>(p)),
                          Font{b.at<std::int32_t>(p + 4), b.at<std::int32_t>(p + 12), name});
            break;
        }
        case 37: {  // SELECTOBJECT; stock objects carry the high bit
            const std::uint32_t index = b.at<std::uint32_t>(p);
            if (!(index & 0x80000000u)) player.select(index);
            break;
        }
        case 40: player.remove(b.at<std::uint32_t>(p)); break;
        case 24: player.textColor(b.color(p)); break;
        case 33: player.save(); break;
        case 34: player.restore(); break;
        case 30: {  // INTERSECTCLIPRECT
            const QPoint topLeft(b.at<std::int32_t>(p), b.at<std::int32_t>(p + 4));
            const QPoint bottomRight(b.at<std::int32_t>(p + 8), b.at<std::int32_t>(p + 12));
            player.clip(QRect(topLeft.x(), topLeft.y(), bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()));
            break;
        }
        case 87:
        case 4: {  // POLYLINE16, POLYLINE
            const std::uint32_t count = b.at<std::uint32_t>(p + 16);
            const std::uint32_t pointBytes = r.type == 87 ? 4 : 8;
            if (r.size < 28 + pointBytes * count) player.error("polyline shorter than its points");
            player.stroke(count);
            break;
        }
        case 86:
        case 91:
        case 3:
        case 8: player.fill(); break;
        case 84: {  // EXTTEXTOUTW
            const std::size_t text = p + 28;
            const QPoint origin(b.at<std::int32_t>(text), b.at<std::int32_t>(text + 4));
            const std::uint32_t count = b.at<std::uint32_t>(text + 8);
            const std::uint32_t offString = b.at<std::uint32_t>(text + 12);
            const std::uint32_t options = b.at<std::uint32_t>(text + 16);
            const std::uint32_t offDx = b.at<std::uint32_t>(text + 20 + ((options & 0x100) ? 0 : 16));
            if (offString + 2 * count > r.size || offDx + 4 * count > r.size) {
                player.error("text record shorter than its text");
                break;
            }
            std::vector<int> advances;
            for (std::uint32_t i = 0; i < count; ++i) advances.push_back(b.at<std::int32_t>(r.offset + offDx + 4 * i));
            const auto* units = reinterpret_cast<const char16_t*>(file.constData() + r.offset + offString);
            player.text(QString::fromUtf16(units, count), origin, advances);
            break;
        }
        case 81: ++out.images; break;
        default: break;
        }
    }
    if (b.overrun()) out.errors << "a record reaches past the end of the file";
    return out;
}

}  // namespace tgsim::testing
