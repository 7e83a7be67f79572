#include "CommentField.h"

#include "store/LineBreaks.h"

#include <QValidator>

namespace {

// Accepts every text once its line breaks are taken out; the cursor keeps its place.
class OneLineValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        pos = int(LineBreaks::removed(input.left(pos)).size());
        input = LineBreaks::removed(input);
        return Acceptable;
    }
};

} // namespace

CommentField::CommentField(QWidget *parent)
    : QLineEdit(parent)
{
    setValidator(new OneLineValidator(this));
}
