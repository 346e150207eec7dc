#include "core/programcontext.h"

ProgramContext::ProgramContext(const QString &settingsFile, const DataFiles::Layout &dataFiles)
    : m_settings(settingsFile), m_dataFiles(dataFiles)
{}

ProgramContext::~ProgramContext() = default;
