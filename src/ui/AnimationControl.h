#pragma once

#include "AviClip.h"

#include <QTimer>
#include <QWidget>

/// Plays an AVI clip in a loop over a range of its frames, drawn scaled to the widget.
/// A clip that is missing or cannot be read shows nothing; nothing is ever reported.
class AnimationControl final : public QWidget {
    Q_OBJECT

public:
    explicit AnimationControl(QWidget *parent = nullptr);

    /// Loads the clip; the frame range becomes the whole clip and the first frame shows.
    /// Playing goes on with the new clip when it was playing.
    void setFileName(const QString &path);
    QString fileName() const { return m_fileName; }

    /// Frames to loop over, counted from 1 and clamped to the clip ("frames 1 to 32").
    void setFrameRange(int first, int last);
    int startFrame() const { return m_first; }
    int stopFrame() const { return m_last; }

    /// Starts looping from the start frame.
    void play();
    /// Stops and goes back to showing the start frame.
    void stop();
    /// True between play() and stop(), also while the clip could not be read.
    bool isPlaying() const { return m_playing; }

    int frameCount() const { return m_clip.frameCount(); }
    /// The frame shown, counted from 1; 0 when there is no clip.
    int currentFrame() const { return m_current; }
    /// Milliseconds between frames while playing.
    int frameIntervalMs() const { return m_timer.interval(); }

    QSize sizeHint() const override;

Q_SIGNALS:
    /// While playing, each time the next frame (counted from 1) has been put up.
    void frameShown(int frame);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void rewind();
    void advance();
    int firstFrame() const;
    int lastFrame() const;

    QString m_fileName;
    AviClip m_clip;
    QTimer m_timer;
    int m_first = 1;
    int m_last = 0;
    int m_current = 0;
    bool m_playing = false;
};
