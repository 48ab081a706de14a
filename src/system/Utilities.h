#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/// A program to try for a utility, with its arguments ("~" stands for the home folder).
struct UtilityCommand {
    QString program;
    QStringList arguments;
};

/// One button of the Utils sheet and the Linux programs that play its part, tried in order.
struct Utility {
    QString button;   ///< control name, e.g. "NPadBut"
    QString caption;  ///< button caption
    QString menuItem; ///< item of the "Utils" menu
    QList<UtilityCommand> candidates;
    /// The program's own page stands in (the clipboard viewer): nothing is started.
    QString ownPage;
};

/// The eighteen utilities in button order.
const QList<Utility>& Utilities();

/// The "Utils" menu's items in their order, "-" for a separator.
QStringList UtilsMenuOrder();

/// What starting a utility resolves to.
struct UtilityChoice {
    enum class Status { Found, NotExecutable, NotFound, OwnPage };
    Status status = Status::NotFound;
    QString program; ///< absolute path when found, or the file without the execute bit
    QStringList arguments;
    QString message; ///< the error text for NotExecutable and NotFound
};

/// Looks for the utility's candidates in order in the folders of searchPath (normally
/// PATH): the first executable one wins; a file of that name without the execute bit gives
/// path + " is not an executable file."; none gives "The file: " + the names looked for +
/// " cannot be found.".
UtilityChoice FindUtility(const Utility& utility, const QStringList& searchPath,
                          const QString& home);

/// The folders of the PATH environment variable.
QStringList SearchPath();

/// The tool-tip of a utility's button: the program it starts, or what it looks for.
QString UtilityToolTip(const Utility& utility, const QStringList& searchPath);

/// The message for a start that failed with the system's error code.
QString StartFailedMessage(int errorCode);
