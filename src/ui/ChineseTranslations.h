#pragma once

/// Qt's own texts in Chinese whatever the machine's locale: the standard buttons
/// (是/否/确定/取消), the input box and the file dialogs.
namespace ChineseTranslations {
/// Loads Qt's zh_CN catalogues into the running application. Call once, after the
/// application object exists.
void install();
} // namespace ChineseTranslations
