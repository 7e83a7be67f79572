#include "AnimationControl.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace {

// Assistive technology sees an animation that says whether it is playing.
class AnimationAccessible final : public QAccessibleWidget {
public:
    explicit AnimationAccessible(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::Animation)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.animated = static_cast<const AnimationControl *>(widget())->isPlaying();
        return state;
    }
};

QAccessibleInterface *accessibleAnimation(const QString &className, QObject *object)
{
    if (className == QLatin1String("AnimationControl") && object && object->isWidgetType())
        return new AnimationAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

void announcePlaying(AnimationControl *control)
{
    QAccessible::State changed;
    changed.animated = true;
    QAccessibleStateChangeEvent event(control, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace

AnimationControl::AnimationControl(QWidget *parent)
    : QWidget(parent)
{
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleAnimation), true);
    Q_UNUSED(factoryInstalled)
    m_timer.setInterval(AviClip::kDefaultIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &AnimationControl::advance);
}

void AnimationControl::setFileName(const QString &path)
{
    m_fileName = path;
    if (!m_clip.loadFile(path))
        m_clip = AviClip();
    m_first = 1;
    m_last = m_clip.frameCount();
    m_timer.setInterval(m_clip.frameIntervalMs());
    rewind();
    updateGeometry();
}

void AnimationControl::setFrameRange(int first, int last)
{
    m_first = first;
    m_last = last;
    rewind();
}

void AnimationControl::play()
{
    const bool wasPlaying = m_playing;
    m_playing = true;
    rewind();
    if (!wasPlaying)
        announcePlaying(this);
}

void AnimationControl::stop()
{
    const bool wasPlaying = m_playing;
    m_playing = false;
    rewind();
    if (wasPlaying)
        announcePlaying(this);
}

QSize AnimationControl::sizeHint() const
{
    return m_clip.frameCount() > 0 ? m_clip.frameSize() : QSize(32, 32);
}

void AnimationControl::paintEvent(QPaintEvent *)
{
    if (m_current < 1 || m_current > m_clip.frameCount())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_clip.frames().at(m_current - 1));
}

void AnimationControl::rewind()
{
    m_current = firstFrame();
    if (m_playing && lastFrame() > firstFrame())
        m_timer.start();
    else
        m_timer.stop();
    update();
}

void AnimationControl::advance()
{
    const int first = firstFrame();
    const int last = lastFrame();
    m_current = (m_current >= last || m_current < first) ? first : m_current + 1;
    update();
    Q_EMIT frameShown(m_current);
}

// The range as set, clamped to the frames the clip really has; 0 without frames.
int AnimationControl::firstFrame() const
{
    if (m_clip.frameCount() == 0)
        return 0;
    return qBound(1, m_first, m_clip.frameCount());
}

int AnimationControl::lastFrame() const
{
    if (m_clip.frameCount() == 0)
        return 0;
    return qBound(firstFrame(), m_last, m_clip.frameCount());
}
