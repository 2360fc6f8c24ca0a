#include "speechworker.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextToSpeech>
#include <QThread>
#include <QtDebug>

namespace kansu::platform {

SpeechWorker& SpeechWorker::instance() {
    static SpeechWorker* worker = new SpeechWorker; // outlives a hung service
    return *worker;
}

SpeechWorker::SpeechWorker() : thread_(new QThread) {
    thread_->setObjectName(QStringLiteral("speech"));
    moveToThread(thread_);
    thread_->start();
    QMetaObject::invokeMethod(this, &SpeechWorker::start, Qt::QueuedConnection);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, thread_, [thread = thread_] {
        thread->quit();
        thread->wait(500);
    });
}

void SpeechWorker::start() {
    voice_ = new QTextToSpeech(this);
    for (const QLocale& locale : voice_->availableLocales())
        if (locale.language() == QLocale::Japanese) {
            voice_->setLocale(locale);
            break;
        }
    if (voice_->state() == QTextToSpeech::Error) {
        failed_ = true;
        qWarning("kansu: 読み上げの声が使えません (no speech service: %s)",
                 qPrintable(voice_->errorString()));
    }
}

bool SpeechWorker::say(const QString& text) {
    if (failed_)
        return false;
    QMutexLocker lock(&mutex_);
    newest_ = text;
    stopWanted_ = false;
    if (!posted_) {
        posted_ = true;
        QMetaObject::invokeMethod(this, &SpeechWorker::sayNewest, Qt::QueuedConnection);
    }
    return true;
}

void SpeechWorker::stop() {
    QMutexLocker lock(&mutex_);
    newest_.clear();
    stopWanted_ = true;
    if (!posted_) {
        posted_ = true;
        QMetaObject::invokeMethod(this, &SpeechWorker::sayNewest, Qt::QueuedConnection);
    }
}

void SpeechWorker::sayNewest() {
    QString text;
    bool stopOnly = false;
    {
        QMutexLocker lock(&mutex_);
        text = std::exchange(newest_, QString());
        stopOnly = std::exchange(stopWanted_, false);
        posted_ = false;
    }
    if (failed_ || !voice_)
        return;
    voice_->stop();
    if (!stopOnly && !text.isEmpty())
        voice_->say(text);
}

} // namespace kansu::platform
