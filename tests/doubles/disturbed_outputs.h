#pragma once

#include "file_layer.h"

#include <functional>
#include <memory>
#include <string>

namespace boxloom::testing {

// The real file layer, with something done to the k-th file just before it replaces its target.
class DisturbedOutputs final : public OutputFileFactory {
public:
    DisturbedOutputs(int disturbedFile, std::function<void(const std::string&)> disturb)
        : disturbedFile_(disturbedFile), disturb_(std::move(disturb)) {}

    std::string checkReplaceable(const std::string& path) override { return real_.checkReplaceable(path); }
    std::unique_ptr<OutputFile> create(const std::string& finalPath, std::string& reason) override {
        auto file = real_.create(finalPath, reason);
        if (!file || ++created_ != disturbedFile_) return file;
        return std::make_unique<Disturbed>(std::move(file), finalPath, disturb_);
    }
    FolderRecovery recoverFolder(const std::string& folder, bool (*isOurs)(std::string_view)) override {
        return real_.recoverFolder(folder, isOurs);
    }

private:
    class Disturbed final : public OutputFile {
    public:
        Disturbed(std::unique_ptr<OutputFile> real, std::string path,
                  std::function<void(const std::string&)> disturb)
            : real_(std::move(real)), path_(std::move(path)), disturb_(std::move(disturb)) {}
        std::string write(const void* data, std::size_t size) override { return real_->write(data, size); }
        std::string finish() override { return real_->finish(); }
        std::string replace() override {
            disturb_(path_);
            return real_->replace();
        }
        std::string restore() override { return real_->restore(); }
        std::string cleanUp() override { return real_->cleanUp(); }

    private:
        std::unique_ptr<OutputFile> real_;
        std::string path_;
        std::function<void(const std::string&)> disturb_;
    };

    FileSystemOutputs real_;
    int disturbedFile_;
    int created_ = 0;
    std::function<void(const std::string&)> disturb_;
};

} // namespace boxloom::testing
