// Every sentence Nosk's engine gives the user, with its id: NOSK_MESSAGE(id, English text), the
// holes %1, %2, ... for the parts and, last, the cause. The window's translation tools read this
// file (NOSK_TEXT is their marker), so a sentence added here is a sentence to translate.
// NOSK_SYSTEM_ERROR lists the system's words for the errors the window translates.
//
// Included with NOSK_MESSAGE and NOSK_SYSTEM_ERROR defined; no include guard.
#ifndef NOSK_TEXT
#define NOSK_TEXT(context, text) text
#endif

// A run's status texts, and why a run stopped before it opened a file.
NOSK_MESSAGE(NoFiles, NOSK_TEXT("EngineText", "No files."))
NOSK_MESSAGE(SearchDataError, NOSK_TEXT("EngineText", "Search data error."))
NOSK_MESSAGE(SearchDataTooLarge, NOSK_TEXT("EngineText", "Search data too large."))
NOSK_MESSAGE(ReplaceDataError, NOSK_TEXT("EngineText", "Replace data error."))
NOSK_MESSAGE(ReplaceDataTooLarge, NOSK_TEXT("EngineText", "Replace data too large."))
NOSK_MESSAGE(ReplaceDataErrorTitle, NOSK_TEXT("EngineText", "Replace Data Error"))
// Why a typed block is not one: the short text above, then what line of it is wrong and how.
NOSK_MESSAGE(DataErrorBecause, NOSK_TEXT("EngineText", "%1 %2"))
NOSK_MESSAGE(BlockLineNotEvent, NOSK_TEXT("EngineText", "Line %1 is not an event line: %2."))
NOSK_MESSAGE(BlockFormatUnreadable,
             NOSK_TEXT("EngineText", "Line %1 is a Format line without a Text field."))
NOSK_MESSAGE(BlockHasNoEventLine, NOSK_TEXT("EngineText", "It holds no event line."))
NOSK_MESSAGE(NotDialogueOrComment,
             NOSK_TEXT("EngineText", "it does not begin with \"Dialogue:\" or \"Comment:\""))
NOSK_MESSAGE(TooFewCommas, NOSK_TEXT("EngineText", "it has %1 of the %2 commas"))
NOSK_MESSAGE(LayerNotNumber, NOSK_TEXT("EngineText", "its layer %1 is not a number"))
NOSK_MESSAGE(StartTimeInvalid, NOSK_TEXT("EngineText", "its start time %1 is not H:MM:SS.CC"))
NOSK_MESSAGE(EndTimeInvalid, NOSK_TEXT("EngineText", "its end time %1 is not H:MM:SS.CC"))
NOSK_MESSAGE(UnequalBlocks,
             NOSK_TEXT("EngineText",
                       "the Replace block has %1 event lines and the Search block %2: in this "
                       "mode each new line takes the times of the line it replaces"))
NOSK_MESSAGE(UnknownCodePage, NOSK_TEXT("EngineText", "Unknown code page %1."))
NOSK_MESSAGE(ReadingPhase, NOSK_TEXT("EngineText", "Reading data. Please, wait..."))
NOSK_MESSAGE(IndexingPhase, NOSK_TEXT("EngineText", "Data processing. Please, wait..."))
NOSK_MESSAGE(SearchingPhase, NOSK_TEXT("EngineText", "Data searching. Please, wait..."))
NOSK_MESSAGE(WritingPhase, NOSK_TEXT("EngineText", "Writing data. Please, wait..."))
NOSK_MESSAGE(PreviewingPhase, NOSK_TEXT("EngineText", "Preparing the preview. Please, wait..."))
NOSK_MESSAGE(WaitingForOtherRun, NOSK_TEXT("EngineText", "waiting for another Nosk run on %1"))

// Why a script failed, or what to know besides its count.
NOSK_MESSAGE(Utf16Script,
             NOSK_TEXT("EngineText",
                       "the script is UTF-16 text: convert it to UTF-8 first (Format Conversion, "
                       "or nosk-cli convert)"))
NOSK_MESSAGE(ConvertedTooLarge,
             NOSK_TEXT("EngineText",
                       "converted, it would be larger than 40,000,000 bytes, more than any run "
                       "reads; it was not converted"))
NOSK_MESSAGE(Utf32Script,
             NOSK_TEXT("EngineText",
                       "the script is UTF-32 text: convert it to UTF-8 first (Format Conversion, "
                       "or nosk-cli convert)"))
NOSK_MESSAGE(NoEventLinesCrAlone,
             NOSK_TEXT("EngineText",
                       "no event lines in an [Events] section (the lines end in CR alone, which "
                       "is not a line end here; save the script with LF or CR LF line ends)"))
NOSK_MESSAGE(NoEventLines, NOSK_TEXT("EngineText", "no event lines in an [Events] section"))
NOSK_MESSAGE(OutOfMemoryForScript,
             NOSK_TEXT("EngineText",
                       "not enough memory to work on this script; it was not changed"))
NOSK_MESSAGE(OutOfMemoryForRestore,
             NOSK_TEXT("EngineText", "not enough memory to restore it; it was not changed"))
NOSK_MESSAGE(OutOfMemoryReading, NOSK_TEXT("EngineText", "Not enough memory to read file."))
NOSK_MESSAGE(SameFileAs,
             NOSK_TEXT("EngineText", "the same file as %1, which this run works on already"))
NOSK_MESSAGE(NotInPreview, NOSK_TEXT("EngineText", "not in the preview, so not written"))
NOSK_MESSAGE(ChangedSincePreview,
             NOSK_TEXT("EngineText",
                       "changed on disk since the preview, so it was not written; preview it "
                       "again"))
NOSK_MESSAGE(ShiftClamped,
             NOSK_TEXT("EngineText",
                       "%1 lines were moved back past 0:00:00.00, where their times stop, or now "
                       "end before they start"))
NOSK_MESSAGE(NewLinesOverlap,
             NOSK_TEXT("EngineText",
                       "%1 of the new lines end after the event line that follows them starts"))
NOSK_MESSAGE(NotAsPreviewed,
             NOSK_TEXT("EngineText",
                       "its new content is not the one previewed, so it was not written; preview "
                       "it again"))

// Rewriting a script.
NOSK_MESSAGE(DeletedWhileWorking,
             NOSK_TEXT("EngineText",
                       "%1 was deleted while Nosk worked on it, so it was not written again"))
NOSK_MESSAGE(ChangedWhileRead,
             NOSK_TEXT("EngineText",
                       "another program wrote to %1 while Nosk read it, so Nosk did not work on "
                       "it; run again when that program is done"))
NOSK_MESSAGE(ChangedWhileWorking,
             NOSK_TEXT("EngineText",
                       "%1 changed on disk while Nosk worked on it, so it was not changed; run "
                       "again to work on its new content"))
NOSK_MESSAGE(ReplacedByAnotherProgram,
             NOSK_TEXT("EngineText",
                       "%1 was replaced by another program while Nosk worked on it; its new "
                       "version is now named %2"))
NOSK_MESSAGE(CantBeLookedAt, NOSK_TEXT("EngineText", "%1 can't be looked at: %2"))
NOSK_MESSAGE(NotChangedBecause, NOSK_TEXT("EngineText", "%1 was not changed: %2"))
NOSK_MESSAGE(CantCreateForNewContent,
             NOSK_TEXT("EngineText", "Can't create a file in %1 for the new content: %2"))
NOSK_MESSAGE(CantWriteNewContent, NOSK_TEXT("EngineText", "Can't write the new content of %1: %2"))
NOSK_MESSAGE(BackupNotMade,
             NOSK_TEXT("EngineText", "backup could not be made, so %1 was not changed: %2"))
NOSK_MESSAGE(CantReplace, NOSK_TEXT("EngineText", "Can't replace %1: %2"))
NOSK_MESSAGE(OtherHardLinks,
             NOSK_TEXT("EngineText",
                       "it has other hard links, which keep its previous content; its backup is "
                       "a copy"))
NOSK_MESSAGE(PreviousVersionStays,
             NOSK_TEXT("EngineText",
                       "its previous version also stays as %1, which could not be removed: %2"))
NOSK_MESSAGE(WriteKeptInBackup,
             NOSK_TEXT("EngineText",
                       "another program wrote to %1 while Nosk replaced it; the new content does "
                       "not hold that write, which is kept in %2"))
NOSK_MESSAGE(WriteNotKept,
             NOSK_TEXT("EngineText",
                       "another program wrote to %1 while Nosk replaced it, and that write could "
                       "not be kept in %2: %3"))
NOSK_MESSAGE(ReadOnlyScript,
             NOSK_TEXT("EngineText",
                       "it is read-only (no one may write it), so it was not changed"))
NOSK_MESSAGE(MayNotWrite,
             NOSK_TEXT("EngineText", "you may not write it (%1), so it was not changed"))
NOSK_MESSAGE(CantReadAttributes, NOSK_TEXT("EngineText", "can't read its extended attributes: %1"))
NOSK_MESSAGE(CantReadAttribute, NOSK_TEXT("EngineText", "can't read its extended attribute %1: %2"))
NOSK_MESSAGE(CantGiveAttribute,
             NOSK_TEXT("EngineText", "can't give the new file its extended attribute %1: %2"))
NOSK_MESSAGE(CantRemoveInheritedAcl,
             NOSK_TEXT("EngineText", "can't remove the ACL the new file took from its folder: %1"))
NOSK_MESSAGE(CantGiveOwner,
             NOSK_TEXT("EngineText",
                       "can't give the new file the owner %1 and group %2 it has: %3"))
NOSK_MESSAGE(CantSetNewFilePermissions,
             NOSK_TEXT("EngineText", "can't set the permissions of the new file: %1"))
NOSK_MESSAGE(FileAlreadyOpen, NOSK_TEXT("EngineText", "a file is already open for writing"))
NOSK_MESSAGE(NoFileOpen, NOSK_TEXT("EngineText", "no file is open for writing"))

// Backups, folders and their lock.
NOSK_MESSAGE(CantCreateFolder, NOSK_TEXT("EngineText", "Can't create the folder %1: %2"))
NOSK_MESSAGE(BackupFolderIsLink,
             NOSK_TEXT("EngineText",
                       "%1 is a symbolic link, and backups go only into a real folder"))
NOSK_MESSAGE(NotAFolder, NOSK_TEXT("EngineText", "%1 is not a folder (%2)"))
NOSK_MESSAGE(CantOpenFolder, NOSK_TEXT("EngineText", "Can't open the folder %1: %2"))
NOSK_MESSAGE(CantSetPermissions, NOSK_TEXT("EngineText", "Can't set the permissions of %1: %2"))
NOSK_MESSAGE(CantLookAt, NOSK_TEXT("EngineText", "Can't look at %1: %2"))
NOSK_MESSAGE(BackupFolderOfAnother,
             NOSK_TEXT("EngineText",
                       "%1 belongs to %2, who does not own this folder, so backups do not go "
                       "there"))
NOSK_MESSAGE(CantReadToCopy, NOSK_TEXT("EngineText", "can't read the script to copy it: %1"))
NOSK_MESSAGE(CantLockFolder,
             NOSK_TEXT("EngineText", "Can't lock the folder %1 against other Nosk runs: %2"))
NOSK_MESSAGE(OtherRunKeptWorking,
             NOSK_TEXT("EngineText",
                       "another Nosk run kept working on %1 longer than Nosk waits, so this "
                       "script was not changed; run again when that run has ended"))

// Finding and reading a script.
NOSK_MESSAGE(CantReadFrom, NOSK_TEXT("EngineText", "Can't read from %1. %2."))
NOSK_MESSAGE(LargerThanLimit, NOSK_TEXT("EngineText", "%1 is larger than 40,000,000 bytes"))
NOSK_MESSAGE(IsAFolder, NOSK_TEXT("EngineText", "it is a folder, not a file"))
NOSK_MESSAGE(NotARegularFile, NOSK_TEXT("EngineText", "it is not a regular file"))
NOSK_MESSAGE(NoFileAtPath, NOSK_TEXT("EngineText", "no file at this path"))
NOSK_MESSAGE(LinkToNothing, NOSK_TEXT("EngineText", "it is a symbolic link to nothing"))
NOSK_MESSAGE(LinkToFolder,
             NOSK_TEXT("EngineText", "it is a symbolic link to a folder, not to a file"))
NOSK_MESSAGE(CantLookAtPath, NOSK_TEXT("EngineText", "can't look at this path: %1"))
NOSK_MESSAGE(CantReadLink, NOSK_TEXT("EngineText", "can't read the symbolic link: %1"))
NOSK_MESSAGE(LinkOfAnotherOwner,
             NOSK_TEXT("EngineText",
                       "it is a symbolic link of %1 to %2 of %3, and Nosk follows a link only to "
                       "a file of the link's owner"))
NOSK_MESSAGE(ReplacedByLink,
             NOSK_TEXT("EngineText", "it was replaced by a symbolic link while Nosk worked on it"))
NOSK_MESSAGE(UnknownUser, NOSK_TEXT("EngineText", "user %1"))

// The run journal, undo and the file systems of a run.
NOSK_MESSAGE(JournalNotWritten,
             NOSK_TEXT("EngineText",
                       "The run journal %1 could not be written to the end of this run: %2. The "
                       "scripts and their backups are in place; Undo takes back what the journal "
                       "holds of the run."))
NOSK_MESSAGE(JournalCantWrite, NOSK_TEXT("EngineText", "can't write the run journal %1: %2"))
NOSK_MESSAGE(JournalNotNosks,
             NOSK_TEXT("EngineText",
                       "Can't read the run journal %1: it is not a journal Nosk wrote"))
NOSK_MESSAGE(JournalUnreadable, NOSK_TEXT("EngineText", "Can't read the run journal %1: %2"))
NOSK_MESSAGE(JournalOfAnother,
             NOSK_TEXT("EngineText",
                       "the run journal %1 belongs to %2, not to the user it is for, so its runs "
                       "are not trusted"))
NOSK_MESSAGE(JournalNotSafe,
             NOSK_TEXT("EngineText",
                       "the run journal %1 has other links or may be written by other users, so "
                       "its runs are not trusted"))
NOSK_MESSAGE(RecordRefused, NOSK_TEXT("EngineText", "the record of run %1 is not trusted: %2"))
NOSK_MESSAGE(RecordCheckFails,
             NOSK_TEXT("EngineText",
                       "it does not match its check, so it was changed after it was written"))
NOSK_MESSAGE(RecordTooLong, NOSK_TEXT("EngineText", "it is longer than any run writes"))
NOSK_MESSAGE(RecordNamesAPath,
             NOSK_TEXT("EngineText", "it names %1, which is not a file name in the folder"))
NOSK_MESSAGE(FlushFailed,
             NOSK_TEXT("EngineText",
                       "The rewritten scripts in %1 could not be flushed to disk: %2. They and "
                       "their backups are in place, but a crash now could lose the newest "
                       "changes."))
NOSK_MESSAGE(ChangedSinceRun,
             NOSK_TEXT("EngineText",
                       "changed since that run: it is no longer the file %1 wrote, so it was "
                       "left alone"))
NOSK_MESSAGE(BackupUnreadable, NOSK_TEXT("EngineText", "its backup %1 can't be read: %2"))
NOSK_MESSAGE(BackupOfAnother,
             NOSK_TEXT("EngineText",
                       "its backup %1 belongs to %2, not to the script's owner, so it was not "
                       "restored"))
NOSK_MESSAGE(BackupChangedSince,
             NOSK_TEXT("EngineText", "its backup %1 changed since %2, so it was not restored"))
NOSK_MESSAGE(NotChangedByRun,
             NOSK_TEXT("EngineText", "not changed by %1, the last run recorded in its folder"))
NOSK_MESSAGE(NoRunRecorded, NOSK_TEXT("EngineText", "no run is recorded in this folder"))
NOSK_MESSAGE(NothingLeftToUndo,
             NOSK_TEXT("EngineText", "every run recorded in this folder is taken back already"))
NOSK_MESSAGE(NothingToRedo,
             NOSK_TEXT("EngineText",
                       "no undo to put back in this folder: none was the last, or a run came "
                       "after it"))
NOSK_MESSAGE(RunNotRecorded, NOSK_TEXT("EngineText", "no run %1 is recorded in this folder"))
NOSK_MESSAGE(RecordedMeanwhile,
             NOSK_TEXT("EngineText",
                       "another run was recorded in this folder after the undo read its journal, "
                       "so it was left alone; undo again"))
NOSK_MESSAGE(DifferentLastRuns,
             NOSK_TEXT("EngineText",
                       "the folders' last runs are not one run, so each folder's own last run "
                       "was taken back: %1"))
NOSK_MESSAGE(TheRunOf, NOSK_TEXT("EngineText", "the run of %1 (%2)"))

// What a run did, as the journal, the history and undo name it.
NOSK_MESSAGE(ReplaceSummary, NOSK_TEXT("EngineText", "Replace: %1 replacement of the block (%2)"))
NOSK_MESSAGE(ShiftSummary, NOSK_TEXT("EngineText", "Shift Times %1: %2, %3"))
NOSK_MESSAGE(ConversionSummary,
             NOSK_TEXT("EngineText",
                       "Format Conversion: to %1, %2, from %3 where a script is neither UTF-8 "
                       "nor marked"))
NOSK_MESSAGE(UndoSummary, NOSK_TEXT("EngineText", "Undo of run %1 (%2)"))
NOSK_MESSAGE(RedoSummary, NOSK_TEXT("EngineText", "Redo: the undo %1 (%2) taken back"))
NOSK_MESSAGE(ModeNone, NOSK_TEXT("EngineText", "none"))
NOSK_MESSAGE(ModeTextOnly, NOSK_TEXT("EngineText", "text only"))
NOSK_MESSAGE(ModeTextAndFormat, NOSK_TEXT("EngineText", "text and format"))
NOSK_MESSAGE(ModeTimingShift, NOSK_TEXT("EngineText", "timing shift"))
NOSK_MESSAGE(ModeFullMatchWithOffset, NOSK_TEXT("EngineText", "full match (with offset)"))
NOSK_MESSAGE(ModeFullMatch, NOSK_TEXT("EngineText", "full match"))
NOSK_MESSAGE(AffectEveryScript, NOSK_TEXT("EngineText", "every script"))
NOSK_MESSAGE(AffectEveryRow, NOSK_TEXT("EngineText", "every row of scripts holding the block"))
NOSK_MESSAGE(AffectRowsBefore, NOSK_TEXT("EngineText", "the rows before the block"))
NOSK_MESSAGE(AffectRowsBeforeAndBlock,
             NOSK_TEXT("EngineText", "the rows before the block and the block"))
NOSK_MESSAGE(AffectBlockAndRowsAfter, NOSK_TEXT("EngineText", "the block and the rows after it"))
NOSK_MESSAGE(AffectRowsAfter, NOSK_TEXT("EngineText", "the rows after the block"))
NOSK_MESSAGE(TimesStartAndEnd, NOSK_TEXT("EngineText", "start and end times"))
NOSK_MESSAGE(TimesStart, NOSK_TEXT("EngineText", "start times"))
NOSK_MESSAGE(TimesEnd, NOSK_TEXT("EngineText", "end times"))
NOSK_MESSAGE(LineEndsKept, NOSK_TEXT("EngineText", "line ends kept"))
NOSK_MESSAGE(LineEndsCrLf, NOSK_TEXT("EngineText", "line ends CR LF"))
NOSK_MESSAGE(LineEndsLf, NOSK_TEXT("EngineText", "line ends LF"))
NOSK_MESSAGE(DetectedCodePage, NOSK_TEXT("EngineText", "the detected code page"))
NOSK_MESSAGE(OnlyStyles, NOSK_TEXT("EngineText", "only the styles %1"))
NOSK_MESSAGE(SkipStyles, NOSK_TEXT("EngineText", "all but the styles %1"))
NOSK_MESSAGE(OnlyActors, NOSK_TEXT("EngineText", "only the actors %1"))
NOSK_MESSAGE(SkipActors, NOSK_TEXT("EngineText", "all but the actors %1"))
NOSK_MESSAGE(CommentsSkipped, NOSK_TEXT("EngineText", "Comment: lines left out"))
NOSK_MESSAGE(ExclusionsInForce, NOSK_TEXT("EngineText", "exclusions in force: %1"))
NOSK_MESSAGE(EveryEventLeftOut,
             NOSK_TEXT("EngineText", "every event line is left out by the exclusions (%1)"))
NOSK_MESSAGE(SectionEvents, NOSK_TEXT("EngineText", "event lines"))
NOSK_MESSAGE(SectionStyles, NOSK_TEXT("EngineText", "style lines"))
NOSK_MESSAGE(SectionHeader, NOSK_TEXT("EngineText", "header lines"))
NOSK_MESSAGE(SectionAny, NOSK_TEXT("EngineText", "any lines"))
NOSK_MESSAGE(BlockLineNotStyle, NOSK_TEXT("EngineText", "Line %1 is not a Style: line."))
NOSK_MESSAGE(BlockLineNotHeader,
             NOSK_TEXT("EngineText", "Line %1 is not a header line (Key: value)."))
NOSK_MESSAGE(BlockHasNoLine, NOSK_TEXT("EngineText", "It holds no line."))
NOSK_MESSAGE(SectionReplaceMode,
             NOSK_TEXT("EngineText",
                       "Among %1 only the replace modes full match and none can be used."))
NOSK_MESSAGE(AddMissingSection,
             NOSK_TEXT("EngineText", "Add where missing works on style and header lines only."))
NOSK_MESSAGE(ViewOnlyEvents,
             NOSK_TEXT("EngineText", "Exclusions and sorting work on event lines only."))
NOSK_MESSAGE(AlreadyAsReplaced,
             NOSK_TEXT("EngineText", "found, and already as the Replace block has it"))
NOSK_MESSAGE(AddedWhereMissing, NOSK_TEXT("EngineText", "it had none: the Replace block is added"))
NOSK_MESSAGE(NothingToFind, NOSK_TEXT("EngineText", "Nothing to find: the text to find is empty."))
NOSK_MESSAGE(PatternInvalid, NOSK_TEXT("EngineText", "The pattern is not valid at offset %1: %2."))
NOSK_MESSAGE(PatternMatchesEmpty, NOSK_TEXT("EngineText", "The pattern would match an empty text."))
NOSK_MESSAGE(ReplacementDollar,
             NOSK_TEXT("EngineText",
                       "The replacement's $ at offset %1 names no group: write $$ for a $."))
NOSK_MESSAGE(ReplacementNoGroup,
             NOSK_TEXT("EngineText",
                       "The replacement names %1, a group the pattern does not have."))
NOSK_MESSAGE(ReplacementInvalid, NOSK_TEXT("EngineText", "the replacement failed: %1"))
NOSK_MESSAGE(TextNoRoundTrip,
             NOSK_TEXT("EngineText",
                       "line %1: its text would not come back the same from %2; the script was "
                       "not edited"))
NOSK_MESSAGE(TextSummary, NOSK_TEXT("EngineText", "Text Replace: %1 with %2"))
NOSK_MESSAGE(TextPattern, NOSK_TEXT("EngineText", "the pattern %1"))
NOSK_MESSAGE(TextPlain, NOSK_TEXT("EngineText", "the text %1"))
NOSK_MESSAGE(TextOptionPattern, NOSK_TEXT("EngineText", "pattern"))
NOSK_MESSAGE(TextOptionIgnoreCase, NOSK_TEXT("EngineText", "ignore case"))
NOSK_MESSAGE(TextOptionWholeWords, NOSK_TEXT("EngineText", "whole words"))
NOSK_MESSAGE(TextOptionInsideTags, NOSK_TEXT("EngineText", "inside tags"))
NOSK_MESSAGE(TextOptionComments, NOSK_TEXT("EngineText", "Comment lines too"))
NOSK_MESSAGE(AddMissingChosen, NOSK_TEXT("EngineText", "added where missing"))
NOSK_MESSAGE(SortByTime, NOSK_TEXT("EngineText", "by time"))
NOSK_MESSAGE(SortByStyle, NOSK_TEXT("EngineText", "by style"))
NOSK_MESSAGE(SortByActor, NOSK_TEXT("EngineText", "by actor"))
NOSK_MESSAGE(SortSummary, NOSK_TEXT("EngineText", "Sort: event lines %1"))

// Format conversion.
NOSK_MESSAGE(GuessedCodePage, NOSK_TEXT("EngineText", "read as %1 (guessed from its bytes)"))
NOSK_MESSAGE(EncodingNotDetected,
             NOSK_TEXT("EngineText",
                       "its encoding could not be detected; choose the code page it is in"))
NOSK_MESSAGE(EncodingUnknown,
             NOSK_TEXT("EngineText", "the encoding %1 is not known to this system"))
NOSK_MESSAGE(InvalidUtf8AfterMark,
             NOSK_TEXT("EngineText",
                       "line %1: the bytes %2 are not UTF-8 text, though the script begins with "
                       "the UTF-8 mark; it was not converted"))
NOSK_MESSAGE(InvalidBytes,
             NOSK_TEXT("EngineText", "line %1: the bytes %2 are not %3 text; it was not converted"))
NOSK_MESSAGE(EndsInsideCharacter,
             NOSK_TEXT("EngineText",
                       "line %1: the script ends inside a %2 character (bytes %3); it was not "
                       "converted"))
NOSK_MESSAGE(NoRoundTripOnLine,
             NOSK_TEXT("EngineText",
                       "line %1: the %2 bytes %3 would not come back the same from UTF-8 (this "
                       "system's converter reads them as a character it writes otherwise); it "
                       "was not converted"))
NOSK_MESSAGE(NoRoundTrip,
             NOSK_TEXT("EngineText",
                       "the %1 bytes %2 would not come back the same from UTF-8 (this system's "
                       "converter reads them as a character it writes otherwise); it was not "
                       "converted"))
NOSK_MESSAGE(WithMark, NOSK_TEXT("EngineText", "%1 with mark"))
NOSK_MESSAGE(NotInCodePage,
             NOSK_TEXT("EngineText",
                       "line %1: the bytes %2 are not %3 text; name the code page the script is "
                       "in"))
NOSK_MESSAGE(EndsInsideCodePageCharacter,
             NOSK_TEXT("EngineText",
                       "line %1: the script ends inside a %2 character (bytes %3); name the code "
                       "page the script is in"))
NOSK_MESSAGE(GuessNotSure,
             NOSK_TEXT("EngineText",
                       "its bytes look like %1, but not surely enough to edit them; name the code "
                       "page the script is in"))
NOSK_MESSAGE(NoCodeForCharacters,
             NOSK_TEXT("EngineText", "the block holds characters that %1 has no code for: %2"))
NOSK_MESSAGE(WritingCentralEuropean, NOSK_TEXT("EngineText", "Central European"))
NOSK_MESSAGE(WritingCyrillic, NOSK_TEXT("EngineText", "Cyrillic"))
NOSK_MESSAGE(WritingWesternEuropean, NOSK_TEXT("EngineText", "Western European"))
NOSK_MESSAGE(WritingGreek, NOSK_TEXT("EngineText", "Greek"))
NOSK_MESSAGE(WritingTurkish, NOSK_TEXT("EngineText", "Turkish"))
NOSK_MESSAGE(WritingHebrew, NOSK_TEXT("EngineText", "Hebrew"))
NOSK_MESSAGE(WritingArabic, NOSK_TEXT("EngineText", "Arabic"))
NOSK_MESSAGE(WritingBaltic, NOSK_TEXT("EngineText", "Baltic"))
NOSK_MESSAGE(WritingVietnamese, NOSK_TEXT("EngineText", "Vietnamese"))
NOSK_MESSAGE(WritingThai, NOSK_TEXT("EngineText", "Thai"))
NOSK_MESSAGE(WritingRussian, NOSK_TEXT("EngineText", "Russian"))
NOSK_MESSAGE(WritingUkrainian, NOSK_TEXT("EngineText", "Ukrainian"))
NOSK_MESSAGE(WritingJapanese, NOSK_TEXT("EngineText", "Japanese"))
NOSK_MESSAGE(WritingSimplifiedChinese, NOSK_TEXT("EngineText", "Chinese (Simplified)"))
NOSK_MESSAGE(WritingTraditionalChinese, NOSK_TEXT("EngineText", "Chinese (Traditional)"))
NOSK_MESSAGE(WritingKorean, NOSK_TEXT("EngineText", "Korean"))

// Two things to know about one script; a path, or anything else, and what goes with it.
NOSK_MESSAGE(TwoNotes, NOSK_TEXT("EngineText", "%1; %2"))
NOSK_MESSAGE(WithReason, NOSK_TEXT("EngineText", "%1: %2"))

// The system's words for what went wrong, where they are often met.
NOSK_SYSTEM_ERROR(ENOENT, NOSK_TEXT("EngineText", "No such file or directory"))
NOSK_SYSTEM_ERROR(EACCES, NOSK_TEXT("EngineText", "Permission denied"))
NOSK_SYSTEM_ERROR(EPERM, NOSK_TEXT("EngineText", "Operation not permitted"))
NOSK_SYSTEM_ERROR(ENOSPC, NOSK_TEXT("EngineText", "No space left on device"))
NOSK_SYSTEM_ERROR(EDQUOT, NOSK_TEXT("EngineText", "Disk quota exceeded"))
NOSK_SYSTEM_ERROR(EROFS, NOSK_TEXT("EngineText", "Read-only file system"))
NOSK_SYSTEM_ERROR(EEXIST, NOSK_TEXT("EngineText", "File exists"))
NOSK_SYSTEM_ERROR(EIO, NOSK_TEXT("EngineText", "Input/output error"))
NOSK_SYSTEM_ERROR(EISDIR, NOSK_TEXT("EngineText", "Is a directory"))
NOSK_SYSTEM_ERROR(ENOTDIR, NOSK_TEXT("EngineText", "Not a directory"))
NOSK_SYSTEM_ERROR(EFBIG, NOSK_TEXT("EngineText", "File too large"))
NOSK_SYSTEM_ERROR(ENAMETOOLONG, NOSK_TEXT("EngineText", "File name too long"))
NOSK_SYSTEM_ERROR(ELOOP, NOSK_TEXT("EngineText", "Too many levels of symbolic links"))
NOSK_SYSTEM_ERROR(EINVAL, NOSK_TEXT("EngineText", "Invalid argument"))
NOSK_SYSTEM_ERROR(EBUSY, NOSK_TEXT("EngineText", "Device or resource busy"))
NOSK_SYSTEM_ERROR(EXDEV, NOSK_TEXT("EngineText", "Invalid cross-device link"))
NOSK_SYSTEM_ERROR(EOPNOTSUPP, NOSK_TEXT("EngineText", "Operation not supported"))
NOSK_SYSTEM_ERROR(ENOMEM, NOSK_TEXT("EngineText", "Cannot allocate memory"))
NOSK_SYSTEM_ERROR(ENOLCK, NOSK_TEXT("EngineText", "No locks available"))
NOSK_SYSTEM_ERROR(EBADF, NOSK_TEXT("EngineText", "Bad file descriptor"))
