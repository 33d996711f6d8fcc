#include "cli_stability.h"

#include "driver/session.h"
#include "driver/stability_figures.h"
#include "base/text_file.h"

namespace tgsim::cli {

void writeModes(const Session& session, const std::string& fileName) {
    const ModalResult modes = session.modalAnalysis();
    writeTextFile(fileName, [&](std::ostream& f) { writeModesCsv(modes, f); });
}

std::vector<RingdownFile> ringdownFiles(const std::vector<RingdownRequest>& requests) {
    std::vector<RingdownFile> files;
    for (const RingdownRequest& request : requests) {
        RingdownFile* file = nullptr;
        for (RingdownFile& known : files)
            if (known.name == request.file) file = &known;
        if (!file) file = &files.emplace_back(RingdownFile{request.file, {}});
        file->requests.push_back(&request);
    }
    return files;
}

void writeRingdowns(const Session& session, const RingdownFile& file) {
    std::vector<RingdownRow> rows;
    for (const RingdownRequest* request : file.requests) {
        const int k = chartQuantityNamed(request->quantity);
        RingdownWindow window = session.ringdownWindow();
        window.from = request->from.value_or(window.from);
        window.to = request->to.value_or(window.to);
        rows.push_back({kChartQuantities[static_cast<std::size_t>(k)].caption, session.ringdown(k, window)});
    }
    writeTextFile(file.name, [&](std::ostream& f) { writeRingdownCsv(rows, f); });
}

}  // namespace tgsim::cli
