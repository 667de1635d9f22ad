#pragma once
#include <QString>
#include <QStringList>

// The configuration file, an INI file next to the program in its build
// folder, in the user's configuration folder once installed. Every call opens
// the file, does its one read or write and closes it again: nothing is
// cached, so a change made by hand between two calls is seen. `file` names
// another configuration file; empty means ConfigFileName().
//
// Reads never create the file and fall back to their default when the file,
// section or key is missing. A write that cannot be done throws
// polyx::Error("Impossible d'écrire dans <file>").

// The program's name with ".INI" in place of its last extension, in the
// folder platform::configFile() chooses.
QString ConfigFileName();

// A key present with an empty value reads as an empty text, not the default.
QString ReadString(const QString& section, const QString& key, const QString& defaultValue,
                   const QString& file = QString());
void WriteString(const QString& section, const QString& key, const QString& value,
                 const QString& file = QString());

// Decimal, or hexadecimal after "0x"; an empty or malformed value reads as the default.
int ReadInteger(const QString& section, const QString& key, int defaultValue,
                const QString& file = QString());
void WriteInteger(const QString& section, const QString& key, int value,
                  const QString& file = QString());

// Stored as "1"/"0"; any non-zero integer reads as yes.
bool ReadBool(const QString& section, const QString& key, bool defaultValue,
              const QString& file = QString());
void WriteBool(const QString& section, const QString& key, bool value,
               const QString& file = QString());

// Cuts the text at each separator: "a::b:" gives "a", "", "b"; "" gives none.
QStringList SplitText(const QString& text, const QString& separator);
