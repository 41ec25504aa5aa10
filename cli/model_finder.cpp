#include "cli/model_finder.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

bool HasModelExtension(const fs::path& path)
{
    const std::string name = path.filename().string();
    if (name.size() < 4)
        return false;
    const std::string end = name.substr(name.size() - 4);
    return end[0] == '.' && (end[1] | 0x20) == 'p' && end[2] == '3' && (end[3] | 0x20) == 'd';
}

class ModelFinder {
public:
    explicit ModelFinder(FoundModels& found) : m_found(found) {}

    void AddArgument(const std::string& argument)
    {
        std::error_code ignored;
        if (!fs::is_directory(argument, ignored)) {
            m_found.paths.push_back(argument);
            return;
        }
        std::vector<fs::path> models;
        AddFolder(argument, models);
        std::sort(models.begin(), models.end());
        for (const fs::path& model : models)
            m_found.paths.push_back(model.string());
    }

    // Without links, and from one argument, no file can be found twice.
    bool MayHoldDuplicates() const { return m_bSawLink; }

private:
    void AddFolder(const fs::path& folder, std::vector<fs::path>& models)
    {
        std::error_code error;
        for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
            std::error_code ignored;
            const bool link = entry->is_symlink(ignored);
            m_bSawLink = m_bSawLink || link;
            if (!link && entry->is_directory(ignored))
                AddFolder(entry->path(), models);
            else if (HasModelExtension(entry->path()) && entry->is_regular_file(ignored))
                models.push_back(entry->path());
        }
        if (error)
            m_found.failures.push_back({folder.string(), "cannot read the folder: " + error.message()});
    }

    FoundModels& m_found;
    bool m_bSawLink = false;
};

// The same file under two names would be edited twice, so keep the first name.
void RemoveDuplicates(std::vector<std::string>& paths)
{
    std::set<fs::path> seen;
    std::vector<std::string> unique;
    for (const std::string& path : paths) {
        std::error_code error;
        fs::path identity = fs::weakly_canonical(path, error);
        if (error)
            identity = path;
        if (seen.insert(identity).second)
            unique.push_back(path);
    }
    paths = std::move(unique);
}

}  // namespace

FoundModels FindModels(const std::vector<std::string>& arguments)
{
    FoundModels found;
    ModelFinder finder(found);
    for (const std::string& argument : arguments)
        finder.AddArgument(argument);
    if (arguments.size() > 1 || finder.MayHoldDuplicates())
        RemoveDuplicates(found.paths);
    return found;
}
