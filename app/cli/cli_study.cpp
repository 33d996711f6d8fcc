#include "cli_study.h"

#include <optional>
#include <ostream>

#include "base/failure.h"
#include "base/message_text.h"
#include "base/output_file.h"
#include "base/text_file.h"
#include "driver/study/study_runner.h"
#include "ui/chart/study_picture.h"

namespace tgsim::cli {

int runStudy(const Arguments& a, std::ostream& err, bool showProgress) {
    const StudyOptions& study = a.study;
    if (a.modesFile)
        err << "tgsim-cli: in a study the modal figures go into the table; " << quotedForMessage(*a.modesFile)
            << " is not written\n";
    StudySummary summary;
    std::optional<StudyPictureLines> picture;
    if (study.pictureFile) picture.emplace(study);
    try {
        // The picture's file is checked before the first point runs, as the table's is by opening it.
        if (study.pictureFile) checkOutputFile(*study.pictureFile);
        // The case files are read once, before the first point: every point opens the same text.
        std::vector<Step> steps = a.steps;
        readCaseFiles(steps);
        writeTextFile(*study.tableFile, [&](std::ostream& out) {
            summary = writeStudyTable(steps, study, out,
                                      {0, showProgress ? &err : nullptr, picture ? &*picture : nullptr, &err});
        });
    } catch (const Failure& failure) {
        err << failure.what() << '\n';
        return 1;
    } catch (const std::exception& failure) {  // no memory left, ...
        err << "The study stopped: " << failure.what() << '\n';
        return 1;
    }
    int status = 0;
    if (summary.failed) {
        err << summary.failed << " of " << summary.points
            << " points failed (the table's status and message say why)\n";
        status = 1;
    }
    if (study.pictureFile) {
        try {
            chart::writeStudyPicture(study, *picture, *study.pictureFile);
        } catch (const Failure& failure) {
            err << failure.what() << '\n';
            status = 1;
        }
    }
    return status;
}

}  // namespace tgsim::cli
