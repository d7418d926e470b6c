// The design-time texts of the suite: captions, hints and messages of its
// editors and dialogs. Each window sets its texts from here in Localize.
// Grouped per window, so that each window's texts stay together.
#pragma once

namespace ambit {

// ---- the suite ----
inline constexpr const char* sAmbitProductName = "Ambit Localizer";
inline constexpr const char* sAmbitVersion = "1.51";

// ---- add/edit language dialogs (both kinds) ----
inline constexpr const char* sAddLangCaption = "Add Language";
inline constexpr const char* sEditLangCaption = "Edit Language";
inline constexpr const char* sAddLang_laLangName_Caption = "Language Name";
inline constexpr const char* sAddLang_laFileName_Caption = "File Name";
inline constexpr const char* sAddLang_buBrowse_Caption = "...";
inline constexpr const char* sAddLang_buBrowse_Hint = "Browse for the language file";
inline constexpr const char* sAddDBLang_laFieldValue_Caption = "Field Value";
// Formatted with the default extension twice.
inline constexpr const char* sLanguageFileFilter = "Language files (*.%s)|*.%s|";
inline constexpr const char* sAllFileFilter = "All files (*.*)|*.*";
// The dialogs refuse a name that would not come back as the same language.
inline constexpr const char* sLanguageNameTaken = "There is already a language named '%s'.";
inline constexpr const char* sLanguageNameHasEquals = "A language name cannot contain '='.";

// ---- language source editor ----
// Formatted with the source's name and class name.
inline constexpr const char* sLSEditor_Caption = "%s: %s";
inline constexpr const char* sLSEditor_colLanguage_Caption = "Language";
inline constexpr const char* sLSEditor_colFilename_Caption = "Filename";
inline constexpr const char* sLSEditor_colValue_Caption = "Value";
// The value column of the original language's row.
inline constexpr const char* sLSEditor_NoneValue = "(none)";
inline constexpr const char* sLSEditor_tbuSave_Caption = "Save";
inline constexpr const char* sLSEditor_tbuSave_Hint = "Save Changes";
inline constexpr const char* sLSEditor_tbuAddLanguage_Caption = "Add...";
inline constexpr const char* sLSEditor_tbuAddLanguage_Hint = "Add Language";
inline constexpr const char* sLSEditor_tbuEditLanguage_Caption = "Edit...";
inline constexpr const char* sLSEditor_tbuEditLanguage_Hint = "Edit Language";
inline constexpr const char* sLSEditor_tbuRemoveLanguage_Caption = "Remove";
inline constexpr const char* sLSEditor_tbuRemoveLanguage_Hint = "Remove Language";
inline constexpr const char* sLSEditor_tbuSetActiveLanguage_Caption = "Set Active";
inline constexpr const char* sLSEditor_tbuSetActiveLanguage_Hint = "Set As Active Language";
inline constexpr const char* sLSEditor_tbuMoveUp_Caption = "Move Up";
inline constexpr const char* sLSEditor_tbuMoveUp_Hint = "Move Up";
inline constexpr const char* sLSEditor_tbuMoveDown_Caption = "Move Down";
inline constexpr const char* sLSEditor_tbuMoveDown_Hint = "Move Down";
inline constexpr const char* sLSEditor_miSave_Caption = "&Save Changes";
inline constexpr const char* sLSEditor_miAddLanguage_Caption = "&Add Language...";
inline constexpr const char* sLSEditor_miEditLanguage_Caption = "&Edit Language...";
inline constexpr const char* sLSEditor_miRemoveLanguage_Caption = "&Remove Language";
inline constexpr const char* sLSEditor_miSetActiveLanguage_Caption = "Set Active &Language";
// Formatted with the language's name.
inline constexpr const char* sAreYouSureToDelLang = "Are you sure to delete language '%s'?";
inline constexpr const char* sSourceSaveChanges = "The source has been changed. Save changes?";

// ---- strings editor ----
inline constexpr const char* sStrEditor_Caption = "Strings Editor";

// ---- About box ----
inline constexpr const char* sAbout_Caption = "About Ambit Localizer";
// Formatted with the version.
inline constexpr const char* sAbout_laVersion_Caption = "Version %s";
inline constexpr const char* sAbout_laDescription_Caption =
    "Localization components: languages kept in language files, in a database table or by the application, "
    "with editors for the designer.";
// What the About and _Version properties show in the object inspector.
inline constexpr const char* sAboutPropertyValue = "(About Ambit Localizer)";

}  // namespace ambit
