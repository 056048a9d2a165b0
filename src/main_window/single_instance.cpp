#include "single_instance.h"

#include <QDir>

UnicaInstancia::UnicaInstancia()
{
    QString usuario = qEnvironmentVariable("USER", QStringLiteral("quendra"));
    lock_ = std::make_unique<QLockFile>(QDir::temp().filePath(QStringLiteral("quendra-%1.lock").arg(usuario)));
    lock_->setStaleLockTime(0); // a live copy is never taken for stale, however long it runs
    tomado_ = lock_->tryLock(0);
}
