#pragma once

#include <QObject>
#include <QString>
#include <functional>

/// Opens a file with the desktop's application for its type (xdg-open) without waiting
/// for it: the teacher keeps working while the opener looks for an application, and is
/// told when none could be started. xdg-open may run until the application it started
/// closes; an ending that late says nothing about the start and is not reported.
class DesktopOpener final : public QObject {
    Q_OBJECT

public:
    /// How long an opener that fails is taken to have failed to start the application.
    static constexpr int kStartWindowMs = 20000;

    explicit DesktopOpener(QObject *parent = nullptr);
    ~DesktopOpener() override;
    Q_DISABLE_COPY_MOVE(DesktopOpener)

    /// Starts opening path and returns at once. done is called once, later, from the
    /// event loop: false when no opener could be started or it ended in failure within
    /// the start window, true otherwise. Nothing is called after the opener is destroyed.
    void open(const QString &path, std::function<void(bool opened)> done);
};
