#pragma once
// The program's messages as the chosen language words them: the English texts of the message
// table until a language file's "Messages" section says otherwise. Like the windows' captions,
// a text is replaced only by a file that holds its key, and stays as it is otherwise.
//
// In a language file "\n" stands for a line break and "\\" for a backslash, so that every
// message is one line of the file.

#include <QObject>
#include <QString>
#include <QStringList>

#include "ui/settings/message_table.h"

namespace vellumar {

class IniFile;

inline constexpr const char* kMessagesSection = "Messages";

// The message's text now, with its "%1", "%2", ... still in it.
QString messageText(MessageId id);
// The message with `details` in place of "%1", "%2", ...
QString message(MessageId id, const QStringList& details = {});
// `pattern` with `details` in place of "%1" to "%9" in one pass: a detail that holds "%2" itself
// stays as it is. A number without a detail stays in the text.
QString fillMessage(const QString& pattern, const QStringList& details);

// Takes the messages that the "Messages" section of `file` holds.
void applyLanguageMessages(const IniFile& file);
// Writes every message, as worded now, into the "Messages" section of `file`.
void writeLanguageMessages(IniFile& file);
// The built-in English texts again.
void resetLanguageMessages();

// Tells the widgets that keep showing messages (the Check FB2 panel) that the wording changed.
class MessageWording : public QObject {
    Q_OBJECT

signals:
    void changed();
};

MessageWording& messageWording();

}  // namespace vellumar
