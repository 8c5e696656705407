#pragma once

// Every message text of zelXML, in one place. Lingo scripts compare these texts, so each is
// kept byte for byte as users have always seen it, odd spellings included ("упрамляющего",
// "Некорретный"). The Russian texts are written here in UTF-8 and become windows-1251 bytes
// during compilation; the English ones are the platform runtime's own wording.
//
// Placeholders: %s for a text, %d for a number; fill them with FormatText.

#include <string_view>

#include "Cp1251.h"

namespace msg {

using cp1251::TText;

// ---- Text parser: the position is (line, position) at the moment of failure.
inline constexpr TText kNameMustStartWithLetter{
    "Имя должно начинаться с буквы или \"_\" (стр. %d, поз. %d)"};
inline constexpr TText kNumberExpected{"Ожидается число (стр. %d, поз. %d)"};
inline constexpr TText kHexNumberExpected{
    "Ожидается шестнадцатеричное число (стр. %d, поз. %d)"};
inline constexpr TText kHashOrEntityExpected{
    "Ожидается \"#\" или имя упрамляющего символа (стр. %d, поз. %d)"};
inline constexpr TText kBadEntityName{"Некорректное имя управляющего символа (стр. %d, поз. %d)"};
inline constexpr TText kExpected{"Ожидается \"%s\" (стр. %d, поз. %d)"};
inline constexpr TText kLessThanInAttribute{
    "Символ \"<\" не может использоваться в значениях атрибутов (стр. %d, поз. %d)"};
inline constexpr TText kAttributeValueExpected{"Ожидается значение атрибута (стр. %d, поз. %d)"};
inline constexpr TText kStringConstantExpected{"Ожидается строковая константа (стр. %d, поз. %d)"};
inline constexpr TText kElementNotFinished{"Не завершено определение элемента"};
inline constexpr TText kBadCharInElementName{"Некорретный символ в имени элемента"};
// Input nested deeper than kMaxXmlDepth (XmlDom/XmlLimits.h); %d is the limit.
inline constexpr TText kNestingTooDeep{
    "Слишком глубокая вложенность элементов: допускается не более %d уровней "
    "(стр. %d, поз. %d)"};

// ---- Node model and selection.
inline constexpr TText kListIndexOutOfRange{
    "Ошибка получения элемента списка: индекс выходит за пределы"};
inline constexpr TText kNotSupported{"Данная возможность не поддерживается zelXML"};
inline constexpr TText kChildNotFound{"Ошибка: не найден дочерний элемент \"%s\"."};

// ---- Attributes and typed values.
inline constexpr TText kAttributeNameMissing{"Ошибка установки значения атрибута: не задано имя."};
inline constexpr TText kAttributeNotSet{"Не задан атрибут \"%s\""};
inline constexpr TText kAttributeNotFound{"Не найден атрибут \"%s\""};
inline constexpr TText kBadAttributeChoice{
    "Неверное значение атрибута \"%s\" элемента \"%s\".\r\nДопустимые значения:\r\n%s"};

// ---- Binary XML.
inline constexpr TText kDataReadError{"Ошибка чтения данных."};
inline constexpr TText kBinaryReadBadNodeType{"Ошибка чтения двоичного XML: некорректный тип узла"};
inline constexpr TText kBinaryWriteBadNodeType{
    "Ошибка записи двоичного XML: некорректный тип узла"};
inline constexpr TText kValueReadBadType{"Ошибка чтения значения: некорректный тип."};
inline constexpr TText kValueWriteBadType{"Ошибка записи значения: некорректный тип."};
// Damaged binary XML: what the reader refuses instead of trusting it.
inline constexpr TText kBinaryBadBucketCount{
    "Ошибка чтения двоичного XML: некорректное число групп таблицы имён (%d)"};
inline constexpr TText kBinaryBadBucketIndex{
    "Ошибка чтения двоичного XML: некорректный номер группы таблицы имён (%d)"};
inline constexpr TText kBinaryBadNameId{"Ошибка чтения двоичного XML: некорректный номер имени (%d)"};
inline constexpr TText kBinaryBadPredefinedName{
    "Ошибка чтения двоичного XML: имя %d таблицы имён должно быть \"%s\""};
// A tree nested deeper than kMaxXmlDepth (XmlDom/XmlLimits.h) would make a file no reader takes.
inline constexpr TText kBinaryWriteNestingTooDeep{
    "Ошибка записи двоичного XML: слишком глубокая вложенность элементов (допускается не более "
    "%d уровней)"};
inline constexpr TText kBinaryNestingTooDeep{
    "Ошибка чтения двоичного XML: слишком глубокая вложенность элементов (допускается не более "
    "%d уровней)"};

// ---- Xtra: a method that needs what the instance does not have yet.
inline constexpr TText kNoDocument{"Ошибка: документ не загружен."};
inline constexpr TText kNoCurrentNode{"Ошибка: не выбран текущий узел."};

// ---- Wrapping: a message, a space and the file name in parentheses.
inline constexpr std::string_view kWithFileName = "%s (%s)";

// ---- Platform runtime texts (English, as the runtime words them).
inline constexpr std::string_view kCannotOpenFile = "Cannot open file \"%s\". %s";
inline constexpr std::string_view kCannotCreateFile = "Cannot create file \"%s\". %s";
inline constexpr std::string_view kCannotRenameFile = "Cannot rename file \"%s\" to \"%s\". %s";
inline constexpr std::string_view kStreamReadError = "Stream read error";
inline constexpr std::string_view kStreamWriteError = "Stream write error";
inline constexpr std::string_view kInvalidTypecast = "Invalid class typecast";
inline constexpr std::string_view kRangeCheckError = "Range check error";
inline constexpr std::string_view kCannotConvertVariant =
    "Could not convert variant of type (%s) into type (%s)";
inline constexpr std::string_view kOverflowConvertingVariant =
    "Overflow while converting variant of type (%s) into type (%s)";
inline constexpr std::string_view kInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr std::string_view kInvalidInteger = "'%s' is not a valid integer value";
inline constexpr std::string_view kInvalidDateTime = "''%s'' is not a valid date and time";
inline constexpr std::string_view kOutOfMemory = "Out of memory";
inline constexpr std::string_view kUnknownException = "Unknown exception";

// ---- Framework.
inline constexpr std::string_view kCouldNotReadStream = "Could not read from stream";
inline constexpr std::string_view kCouldNotWriteStream = "Could not write to stream";
inline constexpr std::string_view kRecursiveLoop = "ERR: Recursive loop detected: \"%s\"\r";

// ---- Error box, and the box of the list test methods.
inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kInfoCaption = "Info";

}  // namespace msg
