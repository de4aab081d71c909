#pragma once

#include <string_view>

namespace sob::baseFiles {

// The files of the phrase base, named as the program writes them. Names are
// matched without regard to letter case on disk, so "Base\Words.Dat" and
// "Base\Words.dat" reach one file; error messages show the spelling used.

// The keyword file: keys, reply alternatives, branches, farewell marks.
inline constexpr std::string_view keywords = "Base\\Words.Dat";
// The same file as the start-up, the exit and the statistics spell it.
inline constexpr std::string_view keywordsLowerDat = "Base\\Words.dat";
// Replies to a phrase that repeats the earlier transcript line.
inline constexpr std::string_view repeatReplies = "Base\\Povtor.Dat";
// Replies to a phrase holding an abusive word.
inline constexpr std::string_view abuseReplies = "Base\\X.Dat";
// Replies to a long phrase.
inline constexpr std::string_view longPhraseReplies = "Base\\BigString.Dat";
// Replies to questions; gathers the user's answers to the program's questions.
inline constexpr std::string_view questionReplies = "Base\\W1.Dat";
// Replies to statements; gathers the other learnt user phrases.
inline constexpr std::string_view statementReplies = "Base\\W2.Dat";
// Prompts said to a silent user.
inline constexpr std::string_view idlePrompts = "Base\\Pause.Dat";
// Spontaneous remarks.
inline constexpr std::string_view remarks = "Base\\AI.dat";
// The dialogue log, written on exit (not part of the phrase base).
inline constexpr std::string_view dialogueLog = "Base\\Log.Mardun";

}  // namespace sob::baseFiles
