#pragma once
// What one run of the program keeps for all of its windows: the settings
// store, where the data files live, the language offset chosen at start, and
// whether the user has been told that settings could not be saved. Made once
// at start and handed to every window; tests make their own.

#include "core/datafiles.h"
#include "core/settingsstore.h"

#include <utility>

class ProgramContext
{
public:
    // settingsFile empty: the user's own settings file.
    ProgramContext(const QString &settingsFile, const DataFiles::Layout &dataFiles);
    virtual ~ProgramContext();
    Q_DISABLE_COPY_MOVE(ProgramContext)

    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }

    const DataFiles::Layout &dataFiles() const { return m_dataFiles; }
    // A file the program only reads, where a file the user changes lives, and
    // that place made ready for use (see DataFiles).
    QString readOnlyFile(const QString &name) const { return DataFiles::ReadOnlyFile(m_dataFiles, name); }
    QString userFileLocation(const QString &name) const
    {
        return DataFiles::UserFileLocation(m_dataFiles, name);
    }
    QString userFile(const QString &name) const { return DataFiles::UserFile(m_dataFiles, name); }

    // Added to every string-table id; read from the settings at start.
    qint16 languageOffset() const { return m_languageOffset; }
    void setLanguageOffset(qint16 offset) { m_languageOffset = offset; }

    // True the first time it is asked: settings that cannot be saved are told
    // once per run, since every later window would fail the same way.
    bool firstToTellSettingsNotSaved() { return !std::exchange(m_toldSettingsNotSaved, true); }

private:
    Settings m_settings;
    DataFiles::Layout m_dataFiles;
    qint16 m_languageOffset = 0;
    bool m_toldSettingsNotSaved = false;
};
