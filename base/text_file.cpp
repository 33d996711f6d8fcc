#include "text_file.h"

#include <array>
#include <cerrno>
#include <streambuf>

namespace tgsim {
namespace {

// A stream buffer that hands its text to the file's sink in large pieces.
class SinkBuffer final : public std::streambuf {
public:
    explicit SinkBuffer(OutputSink& sink) : sink_(sink) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

protected:
    int_type overflow(int_type c) override {
        if (!flush()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return flush() ? 0 : -1; }

private:
    bool flush() {
        const std::size_t size = static_cast<std::size_t>(pptr() - pbase());
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return sink_.write(buffer_.data(), size);
    }

    OutputSink& sink_;
    std::array<char, 1 << 16> buffer_{};
};

}  // namespace

void writeTextFile(const std::string& name, const std::function<void(std::ostream&)>& writer, PendingContents pending) {
    writeOutputFile(
        name,
        [&name, &writer](OutputSink& sink) {
            SinkBuffer buffer(sink);
            std::ostream out(&buffer);
            // A failed write ends the writer at once (there is no point formatting a long table
            // for a full disk); the sink keeps the cause, which writeOutputFile reports.
            out.exceptions(std::ios::badbit);
            try {
                writer(out);
                out.flush();
            } catch (const std::ios::failure&) {
                // Only a write can make the stream fail; should anything else, it is still no file.
                if (sink.error() == 0) throw cannotCreateFile(name, fileErrorCause(EIO));
            }
        },
        pending);
}

}  // namespace tgsim
