// The run-time messages of the suite. Every error the suite raises itself
// carries one of these texts, with its placeholders filled by host::Format.
#pragma once

namespace ambit {

inline constexpr const char* sOwnerNotSpecified = "Owner is not specified!";
// First placeholder: the owner's name; second: the localizer's class name.
inline constexpr const char* sOwnerAlreadyContainsInstance = "'%s' already contains instance of %s class!";
inline constexpr const char* sIndexOutOfBounds = "Index out of bounds (%d)";
inline constexpr const char* sCannotWriteToReadOnly = "Cannot write to source file (ReadOnly = True)!";
// The placeholder is the name of the property that lacks a value.
inline constexpr const char* sMustBeSpecified = "Value for %s must be specified!";
inline constexpr const char* sSourceMustBeSpecified = "Language source must be specified!";
inline constexpr const char* sOKCaption = "&OK";
inline constexpr const char* sCancelCaption = "&Cancel";
// The language name reported while no language is active.
inline constexpr const char* sDefault = "Default";

}  // namespace ambit
