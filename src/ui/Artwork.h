#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

class QPainter;

/// The program's small pictures, drawn in code.
namespace Artwork {

/// 16 × 16 picture of a menu item, by its caption ("重新登录", "录入", "关于...", ...);
/// an empty icon for a caption without one.
QIcon menuIcon(const QString &caption);
/// About 32 × 32 picture of a grade-book toolbar button ("切换", "录入", "排序", "清除",
/// "修改", "成绩分析"); an empty icon for other captions.
QIcon toolButtonIcon(const QString &caption);
/// 16 × 16 picture of an entry-panel button drawn here rather than taken from the style
/// ("保存为默认模板"), by its hint; an empty icon for other hints.
QIcon panelIcon(const QString &hint);
/// The 61 × 57 picture of the About box.
QPixmap aboutPicture();
/// The main window's icon.
QIcon windowIcon();
/// Paints the program's icon (the window icon) into the square 0, 0, side × side: the
/// installed icons of every size are drawn with it.
void paintProgramIcon(QPainter &painter, double side);

} // namespace Artwork
