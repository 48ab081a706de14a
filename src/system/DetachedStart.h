#pragma once

#include <QString>
#include <QStringList>

/// Starts a program detached from this process (its own session, not our child, so
/// nothing waits for it and no zombie is left) and returns 0, or the errno of the failed
/// start (for instance ENOENT or EACCES from exec).
int StartDetached(const QString& program, const QStringList& arguments);
