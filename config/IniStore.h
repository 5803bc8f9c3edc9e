#pragma once
// A configuration file held in memory as sections of name=value entries.
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// A failed save, with the texts for the message box the caller shows, and the template
// and places of the text for a caller that shows it in the user's language.
struct IniSaveError {
    std::string caption;              // "File Save Error"
    std::string text;                 // "Unable to write file <path>.\n\nAdministrator privileges ..."
    const char* pattern = nullptr;    // the text's template (marked), or null
    std::vector<std::string> places;  // what fills its %1, %2: the path, then the reason
};

// The caption of every failed save, marked for translation.
extern const char* const kIniSaveErrorCaption;

class CIniStore {
public:
    struct IniSection {
        std::string name;
        std::vector<std::string> names;
        std::vector<std::string> values;
        // Lines of the file the store cannot use (no "=", a header it does not take),
        // each with the number of entries it followed: written back where they were.
        std::vector<std::pair<std::size_t, std::string>> kept;
    };

    // Location modes: 0 per-user configuration folder + company, 1 the program's
    // folder, 2 /etc, 3 the all-users configuration folder + company, 5 the parent of
    // the program's folder; any other: the path given with SetPath.
    CIniStore() = default;

    void SetCompany(const std::string& name) { m_company = name; }
    void SetFileName(const std::string& name) { m_fileName = name; }
    void SetLocation(int mode) { m_location = mode; }
    void SetPath(const std::string& path) { m_path = path; }
    const std::string& Company() const { return m_company; }
    const std::string& FileName() const { return m_fileName; }
    int Location() const { return m_location; }
    // Why the last Load could not read an existing file (empty when it could); such a
    // store refuses to save, so that the file's settings are not lost.
    const std::string& Unreadable() const { return m_unreadable; }

    // Reads the file and merges it into what is held. False when the file is missing
    // or cannot be opened. Lines it cannot use are kept as they are (replacing those
    // of an earlier load).
    bool Load();
    // Writes every section with entries or kept lines through WriteFileSafely, so a
    // failed save leaves the previous file intact (and a link to it a link). Writes
    // nothing (and succeeds) when the company or the file name is empty. A file that
    // exists but could not be read at the last load is never written: the error names
    // it and the reason.
    std::optional<IniSaveError> Save();
    // The path load and save use for modes 0 to 3; empty for the others.
    std::string GetPath();

    std::string GetString(const std::string& section, const std::string& name);
    int GetInt(const std::string& section, const std::string& name);
    // False also for a section, name or value that the file cannot hold as one line
    // reading back the same (a line break, "=" in a name, "]" in a section name, a
    // line that would read as a section header): such an entry would otherwise move
    // into another section or make entries of its own at the next load.
    bool SetString(const std::string& section, const std::string& name, const std::string& value, bool create);
    bool SetInt(const std::string& section, const std::string& name, int value, bool create);
    void RemoveFile();

    const std::string& LastError() const { return m_lastError; }
    const std::vector<IniSection>& Sections() const { return m_sections; }

    // The folder of the running program, with a trailing '/'.
    static std::string ProgramFolder();

private:
    std::string ComputePath();
    IniSection* FindSection(const std::string& section);
    IniSection& AddSection(const std::string& section);
    // Sets an entry without the checks of SetString; returns its index.
    std::size_t Put(IniSection& section, const std::string& name, const std::string& value);

    std::string m_path;
    std::vector<IniSection> m_sections;
    // Lookups by name, so loading and saving stay linear in the file's size.
    std::unordered_map<std::string, std::size_t> m_sectionIndex;
    std::vector<std::unordered_map<std::string, std::size_t>> m_entryIndex;
    std::string m_lastError;
    std::string m_unreadable; // why the last load could not read an existing file
    std::string m_company;
    std::string m_fileName;
    int m_location = 0;
};
