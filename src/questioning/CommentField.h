#pragma once

#include <QLineEdit>

/// A comment field of the comment settings: one line of text. Line breaks typed, pasted
/// or set by the program are dropped, since each comment is one line of the settings file.
class CommentField final : public QLineEdit {
    Q_OBJECT

public:
    explicit CommentField(QWidget *parent = nullptr);
};
