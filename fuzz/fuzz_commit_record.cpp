// The commit record's reader and the recovery that acts on it: any bytes as a
// record in a folder whose files come and go as the input says. A record that
// reads is written back the same; recovery never touches a file that is not an
// export file or a side file the record names, and never fails in memory.

#include "commit_record.h"
#include "export_file_kinds.h"
#include "folder_recovery.h"
#include "memory_folder.h"

#include <cstdlib>
#include <string_view>

using namespace boxloom;
using boxloom::testing::inPath;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint8_t present = data[0]; // which named files exist, one bit each
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::string reason;
    const auto record = parseCommitRecord(text, isExportFileName, reason);
    if (record) {
        std::string again;
        const auto reread = parseCommitRecord(formatCommitRecord(*record), isExportFileName, again);
        if (!reread || formatCommitRecord(*reread) != formatCommitRecord(*record)) std::abort();
    } else if (reason.empty()) {
        std::abort();
    }

    testing::MemoryFolder folder;
    folder.files[inPath(commitRecordName(record ? record->run : RunId{7}, 0, false))] = std::string(text);
    folder.files[inPath("zelgs.dat")] = "league";
    folder.files[inPath("notes.txt")] = "someone else's";
    int bit = 0;
    if (record)
        for (const CommitMove& move : record->moves)
            for (const std::string* name : {&move.target, &move.fresh, &move.earlier})
                if (!name->empty() && (present >> (bit++ % 8) & 1)) folder.files[inPath(*name)] = *name;
    const FolderRecovery recovery = recoverFolder(folder, "out", isExportFileName);
    if (!recovery.problems.empty()) std::abort();
    if (folder.files[inPath("zelgs.dat")] != "league" ||
        folder.files[inPath("notes.txt")] != "someone else's")
        std::abort();
    return 0;
}
