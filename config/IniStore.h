#pragma once
// A configuration file held in memory as sections of name=value entries.
#include <optional>
#include <string>
#include <vector>

// A failed save, with the texts for the message box the caller shows.
struct IniSaveError {
    std::string caption; // "File Save Error"
    std::string text;    // "Unable to write file <path>.\n\nAdministrator privileges ..."
};

class CIniStore {
public:
    struct IniSection {
        std::string name;
        std::vector<std::string> names;
        std::vector<std::string> values;
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

    // Reads the file and merges it into what is held. False when the file is missing
    // or cannot be opened.
    bool Load();
    // Writes every section with entries; a temporary file in the same folder is renamed
    // over the old one, so a failed save leaves the previous file intact. Writes
    // nothing (and succeeds) when the company or the file name is empty.
    std::optional<IniSaveError> Save();
    // The path load and save use for modes 0 to 3; empty for the others.
    std::string GetPath();

    std::string GetString(const std::string& section, const std::string& name);
    int GetInt(const std::string& section, const std::string& name);
    bool SetString(const std::string& section, const std::string& name, const std::string& value, bool create);
    bool SetInt(const std::string& section, const std::string& name, int value, bool create);
    void RemoveFile();

    const std::string& LastError() const { return m_lastError; }
    const std::vector<IniSection>& Sections() const { return m_sections; }

    // The folder of the running program, with a trailing '/'.
    static std::string ProgramFolder();

private:
    std::string ComputePath();

    std::string m_path;
    std::vector<IniSection> m_sections;
    std::string m_lastError;
    std::string m_company;
    std::string m_fileName;
    int m_location = 0;
};
