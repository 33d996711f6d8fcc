#include "cli_stability.h"

#include "driver/session.h"
#include "driver/stability_figures.h"
#include "base/text_file.h"
#include "output_names.h"

namespace tgsim::cli {

void writeModes(const Session& session, const std::string& fileName) {
    const ModalResult modes = session.modalAnalysis();
    writeTextFile(fileName, [&](std::ostream& f) { writeModesCsv(modes, f); });
}

std::vector<RingdownFile> ringdownFiles(const std::vector<RingdownRequest>& requests) {
    std::vector<RingdownFile> files;
    std::vector<std::string> identities;  // of the files, by which requests are joined
    for (const RingdownRequest& request : requests) {
        const std::string identity = fileIdentity(request.file).value_or("name " + request.file);
        RingdownFile* file = nullptr;
        for (std::size_t i = 0; i < files.size(); ++i)
            if (identities[i] == identity) file = &files[i];
        if (!file) {
            file = &files.emplace_back(RingdownFile{request.file, {}});
            identities.push_back(identity);
        }
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
