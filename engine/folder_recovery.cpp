#include "folder_recovery.h"

#include "paths.h"
#include "temporary_names.h"

#include <set>

namespace boxloom {

namespace {

constexpr const char* kStoppedBeforeReplacing =
    "removed the record of an export that stopped before it replaced any file, and its new files";

class Recovery {
public:
    Recovery(FolderOps& ops, const std::string& folder, bool (*isOurs)(std::string_view))
        : ops_(ops), folder_(folder), prefix_(folder.empty() ? std::string() : joinPath(folder, "")),
          isOurs_(isOurs) {}

    FolderRecovery run() {
        const std::vector<std::string> names = ops_.names(folder_.empty() ? "." : folder_);
        names_ = &names;
        for (const std::string& name : names)
            if (const auto record = parseCommitRecordName(name))
                record->pending ? settlePending(name, record->run) : settleRecord(name, record->run);
        for (const std::string& name : names)
            clearSideFile(name);
        return std::move(result_);
    }

private:
    std::string path(const std::string& name) const { return prefix_ + name; }
    bool exists(const std::string& name) { return ops_.exists(path(name)); }
    bool ended(const RunId& run) { return run != ops_.currentRun() && !ops_.runMayBeGoing(run); }
    // This process's own earlier run has ended once it let go of its record.
    bool recordEnded(const std::string& name, const RunId& run) {
        return run == ops_.currentRun() ? !ops_.recordInUse(name) : ended(run);
    }

    void leaveAlone(const RunId& run, const std::string& name, const std::string& why) {
        untouchable_.insert(run);
        result_.warnings.push_back({path(name), "left alone: " + why});
    }

    // A record still being written names nothing that was moved: a run moves its
    // record into place before its first move.
    void settlePending(const std::string& name, const RunId& run) {
        if (!recordEnded(name, run)) return;
        if (!exists(name) || !step(path(name), ops_.remove(path(name)))) return;
        result_.notes.push_back(kStoppedBeforeReplacing);
    }

    void settleRecord(const std::string& name, const RunId& run) {
        // The record's own side files are settled with it, never by the plain clean-up below.
        untouchable_.insert(run);
        if (!recordEnded(name, run))
            return leaveAlone(run, name, "the export that wrote it is still running");
        std::string reason;
        const auto text = ops_.read(path(name), reason);
        std::optional<CommitRecord> record;
        if (text) record = parseCommitRecord(*text, isOurs_, reason);
        if (record && record->run != run) untouchable_.insert(record->run);
        if (!record && text && isCutShortRecord(*text) && !movedAnEarlierFile(run))
            return discardUnwritten(name, run);
        if (!record || record->run != run)
            return leaveAlone(run, name,
                              "not a commit record that can be trusted (" +
                                  (reason.empty() ? "another process's" : reason) + ")");
        if (completable(*record))
            complete(name, *record);
        else if (nothingLeftToDo(*record))
            forgetRecord(name, *record);
        else
            rollBack(name, *record);
    }

    // An earlier export moved aside is the first move a run makes of a target that had one.
    bool movedAnEarlierFile(const RunId& run) {
        for (const std::string& name : *names_) {
            const auto owner = parseSideFileName(name);
            if (owner && owner->run == run && owner->kind == SideFile::KeptEarlier) return true;
        }
        return false;
    }

    // A run of an earlier version that died or failed while writing its record
    // had replaced nothing: its record goes, and its new files with the side files below.
    void discardUnwritten(const std::string& name, const RunId& run) {
        if (!finishRecord(name)) return;
        untouchable_.erase(run);
        result_.notes.push_back(kStoppedBeforeReplacing);
    }

    // No new file is left and every target is there: either the run got to the
    // end and only its record stayed, or it failed before its first move and
    // could not remove the record. Nothing is to be rolled back either way.
    bool nothingLeftToDo(const CommitRecord& record) {
        for (const CommitMove& move : record.moves)
            if (exists(move.fresh) ||
                (!move.earlier.empty() && (exists(move.earlier) || !exists(move.target))))
                return false;
        return true;
    }

    void forgetRecord(const std::string& name, const CommitRecord& record) {
        if (!finishRecord(name)) return;
        result_.notes.push_back("removed the record of an export of " + record.writtenAt +
                                " that had left no file to complete or put back");
    }

    // Every new file is still there or already in place.
    bool completable(const CommitRecord& record) {
        for (const CommitMove& move : record.moves)
            if (!exists(move.fresh) &&
                !(exists(move.target) && (move.earlier.empty() || exists(move.earlier))))
                return false;
        return true;
    }

    bool step(const std::string& file, std::string reason) {
        if (reason.empty()) return true;
        result_.problems.push_back({file, "while completing an interrupted export: " + reason});
        return false;
    }

    void complete(const std::string& name, const CommitRecord& record) {
        for (const CommitMove& move : record.moves) {
            if (!exists(move.fresh)) continue;
            if (!move.earlier.empty() && exists(move.target) && !exists(move.earlier) &&
                !step(path(move.target), ops_.move(path(move.target), path(move.earlier))))
                return;
            if (!step(path(move.target), ops_.move(path(move.fresh), path(move.target)))) return;
        }
        if (!finishRecord(name)) return;
        for (const CommitMove& move : record.moves)
            if (!move.earlier.empty()) step(path(move.earlier), ops_.remove(path(move.earlier)));
        result_.notes.push_back("completed an export interrupted at " + record.writtenAt + " (" +
                                std::to_string(record.moves.size()) +
                                (record.moves.size() == 1 ? " file)" : " files)"));
    }

    // A new file is gone: every target gets back its earlier file, or none if it had none.
    void rollBack(const std::string& name, const CommitRecord& record) {
        std::string said;
        for (const CommitMove& move : record.moves) {
            const std::string target = path(move.target);
            std::string holds;
            if (!move.earlier.empty() && exists(move.earlier)) {
                if (!step(target, ops_.move(path(move.earlier), target))) return;
                holds = "holds the earlier export";
            } else if (move.earlier.empty()) {
                if (!exists(move.fresh) && exists(move.target) && !step(target, ops_.remove(target))) return;
                holds = "removed: the earlier export had none";
            } else {
                holds = exists(move.fresh)    ? "holds the earlier export"
                        : exists(move.target) ? "holds the interrupted export"
                                              : "is missing";
            }
            if (!step(path(move.fresh), ops_.remove(path(move.fresh)))) return;
            said += "; " + move.target + " " + holds;
        }
        if (!finishRecord(name)) return;
        result_.notes.push_back("rolled back an export interrupted at " + record.writtenAt +
                                " whose new files were gone" + said);
    }

    // The moves are on disk before the record goes, and the record is gone before any earlier file.
    bool finishRecord(const std::string& name) {
        const std::string where = folder_.empty() ? "." : folder_;
        return step(where, ops_.flushFolder(where)) && step(path(name), ops_.remove(path(name))) &&
               step(where, ops_.flushFolder(where));
    }

    void clearSideFile(const std::string& name) {
        const auto owner = parseSideFileName(name);
        if (!owner || !isOurs_(owner->finalName) || untouchable_.count(owner->run) || !ended(owner->run) ||
            !exists(name))
            return;
        // An earlier export moved aside by a run that died before putting it back.
        if (owner->kind == SideFile::KeptEarlier && !exists(owner->finalName) &&
            ops_.moveIfAbsent(path(name), path(owner->finalName)).empty()) {
            ++result_.sideFilesRestored;
            return;
        }
        if (ops_.remove(path(name)).empty()) ++result_.sideFilesRemoved;
    }

    FolderOps& ops_;
    const std::string& folder_;
    std::string prefix_;
    bool (*isOurs_)(std::string_view);
    std::set<RunId> untouchable_;                     // runs whose records were left alone
    const std::vector<std::string>* names_ = nullptr; // the folder's, as the run began
    FolderRecovery result_;
};

} // namespace

FolderRecovery recoverFolder(FolderOps& ops, const std::string& folder, bool (*isOurs)(std::string_view)) {
    return Recovery(ops, folder, isOurs).run();
}

} // namespace boxloom
