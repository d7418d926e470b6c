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

// ---- component and property editors ----
inline constexpr const char* sAbout = "&About Ambit Localizer...";
inline constexpr const char* sEditLanguageSource = "&Edit Language Source...";

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

// ---- the form localizer editor ----
// Window caption: the localizer's name and its class name.
inline constexpr const char* sAmFormCaption = "%s: %s";
inline constexpr const char* sFLEditor_tbuSave_Caption = "Save";
inline constexpr const char* sFLEditor_tbuSave_Hint = "Save changes";
inline constexpr const char* sFLEditor_tbuReload_Caption = "Reload";
inline constexpr const char* sFLEditor_tbuReload_Hint = "Reload (undo all unsaved changes)";
inline constexpr const char* sFLEditor_buClear_Hint = "Clear excluded and not existing records";
inline constexpr const char* sFLEditor_tbuAddLanguage_Caption = "Add...";
inline constexpr const char* sFLEditor_tbuAddLanguage_Hint = "Add language";
inline constexpr const char* sFLEditor_tbuEditLanguage_Caption = "Edit...";
inline constexpr const char* sFLEditor_tbuEditLanguage_Hint = "Edit language";
inline constexpr const char* sFLEditor_tbuRemoveLanguage_Caption = "Remove";
inline constexpr const char* sFLEditor_tbuRemoveLanguage_Hint = "Remove language";
inline constexpr const char* sFLEditor_tbuActiveLanguage_Caption = "Active";
inline constexpr const char* sFLEditor_tbuActiveLanguage_Hint = "Set active language";
inline constexpr const char* sFLEditor_tsPropNames_Caption = "Property Names";
inline constexpr const char* sFLEditor_tsOptions_Caption = "Options";
inline constexpr const char* sFLEditor_gbSaveOptions_Caption = " Save Options ";
inline constexpr const char* sFLEditor_chSaveEmpty_Caption = "Save empty values";
inline constexpr const char* sFLEditor_chIncludeFrames_Caption = "Include frames";
inline constexpr const char* sFLEditor_chClearBeforeSave_Caption = "Clear section before save";
inline constexpr const char* sFLEditor_miExclude_Caption = "&Exclude component";
inline constexpr const char* sFLEditor_miExcludeAll_Caption = "E&xclude components";
inline constexpr const char* sFLEditor_miInclude_Caption = "&Include component";
inline constexpr const char* sFLEditor_miIncludeAll_Caption = "I&nclude components";
inline constexpr const char* sFLEditor_miIncludeProperty_Caption = "&Include property";
inline constexpr const char* sFLEditor_miExcludeProperty_Caption = "&Exclude property";
inline constexpr const char* sPropertyName = "Property Name";
inline constexpr const char* sOriginalValue = "Original Value";
inline constexpr const char* sAreYouSureToCancelChanges = "Are you sure to cancel all changes?";
inline constexpr const char* sDeletingCompleted = "Deleting completed";
// The form localizer's verb that opens the editor.
inline constexpr const char* sFormLocalizerEditor = "&Form Localizer Editor...";
// Saving and closing.
inline constexpr const char* sLocalizerSaveChanges = "The localizer or/and source has been changed. Save changes?";
// An edit whose component was taken off the form while the editor was open.
inline constexpr const char* sChangesSkipped =
    "These changes were not saved because their components are no longer on the form:\n%s";
// The template verb.
inline constexpr const char* sGenerateLocalizationTemplate = "&Generate Localization Template";
inline constexpr const char* sLangSourceNotSpec = "Language source for '%s' must be specified!";
inline constexpr const char* sCannotSaveTemplateForDefLang = "Can't save a template for default language!";
inline constexpr const char* sTemplateGenerated =
    "Localization template for '%s' has been successfully generated to '%s'";
// ---- end of the form localizer editor ----

}  // namespace ambit
