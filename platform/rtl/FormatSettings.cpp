#include "platform/rtl/FormatSettings.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

#include <charconv>
#include <climits>
#include <cstring>
#include <langinfo.h>
#include <locale.h>

namespace rtl {

namespace {

const char* const kLongMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
const char* const kShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kShortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

void PutNames(std::map<LocaleItem, std::string>& items, LocaleItem first, const char* const* names, int count)
{
    for (int i = 0; i < count; ++i)
        items[first + i] = names[i];
}

std::map<LocaleItem, std::string> UnitedStatesItems()
{
    std::map<LocaleItem, std::string> items{
        {LocaleItem::DecimalSeparator, "."},   {LocaleItem::ThousandSeparator, ","},
        {LocaleItem::ListSeparator, ","},      {LocaleItem::CurrencyString, "$"},
        {LocaleItem::CurrencyFormat, "0"},     {LocaleItem::NegCurrencyFormat, "0"},
        {LocaleItem::CurrencyDigits, "2"},     {LocaleItem::DateSeparator, "/"},
        {LocaleItem::TimeSeparator, ":"},      {LocaleItem::ShortDateFormat, "M/d/yyyy"},
        {LocaleItem::LongDateFormat, "dddd, MMMM dd, yyyy"}, {LocaleItem::TimeFormat, "h:mm:ss tt"},
        {LocaleItem::TimeAMString, "AM"},      {LocaleItem::TimePMString, "PM"},
        {LocaleItem::Country, "United States"}, {LocaleItem::FirstDayOfWeek, "6"},
    };
    PutNames(items, LocaleItem::LongMonthName1, kLongMonths, 12);
    PutNames(items, LocaleItem::ShortMonthName1, kShortMonths, 12);
    PutNames(items, LocaleItem::LongDayName1, kLongDays, 7);
    PutNames(items, LocaleItem::ShortDayName1, kShortDays, 7);
    return items;
}

// Windows locale identifiers of the POSIX language_TERRITORY names.
struct LcidName {
    const char* name;
    int lcid;
};
const LcidName kLcids[] = {
    {"en_US", 1033}, {"en_GB", 2057}, {"en_AU", 3081}, {"en_CA", 4105}, {"en_NZ", 5129}, {"en_IE", 6153},
    {"en_ZA", 7177}, {"de_DE", 1031}, {"de_CH", 2055}, {"de_AT", 3079}, {"fr_FR", 1036}, {"fr_BE", 2060},
    {"fr_CA", 3084}, {"fr_CH", 4108}, {"it_IT", 1040}, {"es_ES", 3082}, {"es_MX", 2058}, {"nl_NL", 1043},
    {"nl_BE", 2067}, {"pt_BR", 1046}, {"pt_PT", 2070}, {"sv_SE", 1053}, {"da_DK", 1030}, {"fi_FI", 1035},
    {"nb_NO", 1044}, {"pl_PL", 1045}, {"cs_CZ", 1029}, {"sk_SK", 1051}, {"hu_HU", 1038}, {"ro_RO", 1048},
    {"sl_SI", 1060}, {"hr_HR", 1050}, {"ru_RU", 1049}, {"uk_UA", 1058}, {"bg_BG", 1026}, {"el_GR", 1032},
    {"tr_TR", 1055}, {"he_IL", 1037}, {"ar_SA", 1025}, {"et_EE", 1061}, {"lv_LV", 1062}, {"lt_LT", 1063},
    {"vi_VN", 1066}, {"th_TH", 1054}, {"ja_JP", 1041}, {"ko_KR", 1042}, {"zh_CN", 2052}, {"zh_TW", 1028},
};
constexpr int kCustomLcid = 4096;

int LcidOfName(std::string_view name)
{
    std::string_view base = name.substr(0, name.find_first_of(".@"));
    for (const LcidName& entry : kLcids)
        if (base == entry.name)
            return entry.lcid;
    return kCustomLcid;
}

bool IsNeutralLocale(std::string_view name)
{
    std::string_view base = name.substr(0, name.find_first_of(".@"));
    return base.empty() || base == "C" || base == "POSIX";
}

int ParseInt(std::string_view text, int fallback)
{
    int value = fallback;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : fallback;
}

// --- strftime patterns as Windows patterns ---

// Literal text of a pattern; quoted when it holds letters, which would otherwise be read as fields.
void AppendLiteral(std::string& out, const std::string& literal)
{
    bool letters = false;
    for (char c : literal)
        letters = letters || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\'';
    if (!letters) {
        out += literal;
        return;
    }
    out += '\'';
    for (char c : literal)
        out += c == '\'' ? std::string("''") : std::string(1, c);
    out += '\'';
}

// The Windows form of one conversion; "" drops it. Date fields are marked 'D', time fields 'T'.
std::string ConvertField(char conv, bool unpadded, char& kind)
{
    kind = 'D';
    switch (conv) {
    case 'a': return "ddd";
    case 'A': return "dddd";
    case 'b': case 'h': return "MMM";
    case 'B': return "MMMM";
    case 'd': return unpadded ? "d" : "dd";
    case 'e': return "d";
    case 'm': return unpadded ? "M" : "MM";
    case 'y': return "yy";
    case 'Y': return "yyyy";
    case 'D': return "MM/dd/yy";
    case 'F': return "yyyy-MM-dd";
    default: break;
    }
    kind = 'T';
    switch (conv) {
    case 'H': return unpadded ? "H" : "HH";
    case 'k': return "H";
    case 'I': return unpadded ? "h" : "hh";
    case 'l': return "h";
    case 'M': return unpadded ? "m" : "mm";
    case 'S': return unpadded ? "s" : "ss";
    case 'p': case 'P': return "tt";
    case 'r': return "hh:mm:ss tt";
    case 'R': return "HH:mm";
    case 'T': return "HH:mm:ss";
    default: break;
    }
    kind = 'X';
    return "";
}

std::string CollapseBlanks(const std::string& s)
{
    std::string out;
    for (char c : s) {
        if (c == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out += c;
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == ','))
        out.pop_back();
    return out;
}

// --- the POSIX locale, item by item ---

// Only the categories the items come from are loaded (the others stay "C"), sparing the start-up the
// reading of the rest.
constexpr int kLocaleCategories = LC_CTYPE_MASK | LC_NUMERIC_MASK | LC_MONETARY_MASK | LC_TIME_MASK | LC_ADDRESS_MASK;

class PosixLocale {
public:
    explicit PosixLocale(const std::string& name) : handle_(newlocale(kLocaleCategories, name.c_str(), locale_t(0)))
    {
        if (handle_ == locale_t(0) && name.empty())
            handle_ = newlocale(kLocaleCategories, "C", locale_t(0));
        if (handle_ == locale_t(0))
            throw EInvalidArgument("The locale '" + name + "' is not available");
        utf8_ = std::strcmp(nl_langinfo_l(CODESET, handle_), "UTF-8") == 0;
    }
    ~PosixLocale() { freelocale(handle_); }
    PosixLocale(const PosixLocale&) = delete;
    PosixLocale& operator=(const PosixLocale&) = delete;

    std::string Raw(nl_item item) const { return nl_langinfo_l(item, handle_); }
    int Byte(nl_item item) const { return static_cast<unsigned char>(nl_langinfo_l(item, handle_)[0]); }
    std::string Name() const { return Raw(NL_LOCALE_NAME(LC_NUMERIC)); }

    // The item as ANSI text, or nothing when the code page cannot hold it.
    std::optional<std::string> Ansi(nl_item item) const
    {
        std::string raw = Raw(item);
        bool ascii = true;
        for (char c : raw)
            ascii = ascii && static_cast<unsigned char>(c) < 128;
        if (ascii)
            return raw;
        std::string ansi;
        if (utf8_ && TryUtf8ToAnsi(raw, ansi))
            return ansi;
        return std::nullopt;
    }

private:
    locale_t handle_;
    bool utf8_ = false;
};

// The Windows negative currency form for the POSIX placement of symbol, blank and sign.
int NegCurrencyForm(int precedes, int space, int signPosition)
{
    static const int kForms[2][2][5] = {
        {{4, 5, 7, 6, 7}, {15, 8, 10, 13, 10}},   // symbol after the amount
        {{0, 1, 3, 1, 2}, {14, 9, 11, 9, 12}},    // symbol before the amount
    };
    if (precedes > 1 || signPosition > 4)
        return 0;
    return kForms[precedes][space ? 1 : 0][signPosition];
}

char FirstSeparator(std::string_view pattern)
{
    bool quoted = false;
    for (char c : pattern) {
        if (c == '\'')
            quoted = !quoted;
        else if (!quoted && !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) && c != ' ')
            return c;
    }
    return 0;
}

// The Windows time pattern as the library writes it: tt becomes AMPM, H becomes h (24-hour unless an
// AM/PM mark follows).
std::string LibraryTimePattern(std::string_view windows)
{
    std::string out;
    bool quoted = false;
    for (size_t i = 0; i < windows.size(); ++i) {
        char c = windows[i];
        if (c == '\'')
            quoted = !quoted;
        if (!quoted && c == 't') {
            while (i + 1 < windows.size() && windows[i + 1] == 't')
                ++i;
            out += "AMPM";
        } else if (!quoted && c == 'H') {
            out += 'h';
        } else {
            out += c;
        }
    }
    return out;
}

// The pattern without its seconds: the run of 's' and the separator before it go.
std::string WithoutSeconds(std::string pattern)
{
    size_t s = pattern.find('s');
    if (s == std::string::npos)
        return pattern;
    size_t end = pattern.find_first_not_of('s', s);
    size_t begin = s > 0 ? s - 1 : s;
    pattern.erase(begin, (end == std::string::npos ? pattern.size() : end) - begin);
    return pattern;
}

std::unique_ptr<LocaleSource>& InstalledSource()
{
    static std::unique_ptr<LocaleSource> source;
    return source;
}

bool SameKey(std::string_view a, std::string_view b)
{
    return SameText(a, b);
}

}  // namespace

std::string PosixToWindowsPattern(std::string_view posix, bool dateOnly, bool timeOnly)
{
    std::string out;
    std::string literal;
    for (size_t i = 0; i < posix.size(); ++i) {
        char c = posix[i];
        if (c != '%') {
            literal += c;
            continue;
        }
        bool unpadded = false;
        while (i + 1 < posix.size() && std::strchr("-_0^#", posix[i + 1]) != nullptr) {
            unpadded = unpadded || posix[i + 1] == '-';
            ++i;
        }
        while (i + 1 < posix.size() && ((posix[i + 1] >= '0' && posix[i + 1] <= '9') || posix[i + 1] == 'E' ||
                                         posix[i + 1] == 'O'))
            ++i;
        if (i + 1 >= posix.size())
            break;
        char conv = posix[++i];
        if (conv == '%' || conv == 'n' || conv == 't') {
            literal += conv == '%' ? '%' : ' ';
            continue;
        }
        char kind;
        std::string field = ConvertField(conv, unpadded, kind);
        if ((kind == 'T' && dateOnly) || (kind == 'D' && timeOnly) || kind == 'X') {
            // A dropped field takes the separator that led to it along.
            while (!literal.empty() && literal.back() != ' ')
                literal.pop_back();
            continue;
        }
        AppendLiteral(out, literal);
        literal.clear();
        out += field;
    }
    AppendLiteral(out, literal);
    return CollapseBlanks(out);
}

FixedLocaleSource::FixedLocaleSource(int lcid, std::map<LocaleItem, std::string> items)
    : lcid_(lcid), items_(std::move(items))
{
}

std::string FixedLocaleSource::Info(LocaleItem item) const
{
    auto it = items_.find(item);
    return it == items_.end() ? std::string() : it->second;
}

std::unique_ptr<FixedLocaleSource> FixedLocaleSource::UnitedStates()
{
    return std::make_unique<FixedLocaleSource>(1033, UnitedStatesItems());
}

std::unique_ptr<FixedLocaleSource> FixedLocaleSource::Germany()
{
    static const char* const longMonths[12] = {"Januar", "Februar", "M\xE4rz",   "April",   "Mai",      "Juni",
                                               "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    static const char* const shortMonths[12] = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                                                "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    static const char* const longDays[7] = {"Sonntag",  "Montag",  "Dienstag", "Mittwoch",
                                            "Donnerstag", "Freitag", "Samstag"};
    static const char* const shortDays[7] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    std::map<LocaleItem, std::string> items{
        {LocaleItem::DecimalSeparator, ","},    {LocaleItem::ThousandSeparator, "."},
        {LocaleItem::ListSeparator, ";"},       {LocaleItem::CurrencyString, "\x80"},
        {LocaleItem::CurrencyFormat, "3"},      {LocaleItem::NegCurrencyFormat, "8"},
        {LocaleItem::CurrencyDigits, "2"},      {LocaleItem::DateSeparator, "."},
        {LocaleItem::TimeSeparator, ":"},       {LocaleItem::ShortDateFormat, "dd.MM.yyyy"},
        {LocaleItem::LongDateFormat, "dddd, d. MMMM yyyy"}, {LocaleItem::TimeFormat, "HH:mm:ss"},
        {LocaleItem::TimeAMString, ""},         {LocaleItem::TimePMString, ""},
        {LocaleItem::Country, "Deutschland"},   {LocaleItem::FirstDayOfWeek, "0"},
    };
    PutNames(items, LocaleItem::LongMonthName1, longMonths, 12);
    PutNames(items, LocaleItem::ShortMonthName1, shortMonths, 12);
    PutNames(items, LocaleItem::LongDayName1, longDays, 7);
    PutNames(items, LocaleItem::ShortDayName1, shortDays, 7);
    return std::make_unique<FixedLocaleSource>(1031, std::move(items));
}

PosixLocaleSource::PosixLocaleSource(const std::string& name)
{
    PosixLocale locale(name);
    auto english = UnitedStatesItems();
    auto set = [&](LocaleItem item, std::optional<std::string> value) {
        items_[size_t(item)] = value ? *value : english[item];
    };
    for (int i = 0; i < int(LocaleItem::Count); ++i)
        items_[size_t(i)] = english[LocaleItem(i)];
    std::string localeName = locale.Name();
    if (IsNeutralLocale(localeName))
        return;
    lcid_ = LcidOfName(localeName);

    set(LocaleItem::DecimalSeparator, locale.Ansi(RADIXCHAR));
    std::optional<std::string> thousands = locale.Ansi(THOUSEP);
    items_[size_t(LocaleItem::ThousandSeparator)] = thousands && !thousands->empty() ? *thousands : " ";
    items_[size_t(LocaleItem::ListSeparator)].assign(1, items_[size_t(LocaleItem::DecimalSeparator)] == "," ? ';' : ',');

    std::optional<std::string> currency = locale.Ansi(CURRENCY_SYMBOL);
    if (!currency || currency->empty())
        currency = Trim(locale.Raw(INT_CURR_SYMBOL));
    set(LocaleItem::CurrencyString, currency);
    int precedes = locale.Byte(P_CS_PRECEDES);
    int space = locale.Byte(P_SEP_BY_SPACE);
    if (precedes <= 1) {
        int form = (precedes ? 0 : 1) + (space ? 2 : 0);
        items_[size_t(LocaleItem::CurrencyFormat)] = std::to_string(form);
        items_[size_t(LocaleItem::NegCurrencyFormat)] = std::to_string(
            NegCurrencyForm(locale.Byte(N_CS_PRECEDES), locale.Byte(N_SEP_BY_SPACE), locale.Byte(N_SIGN_POSN)));
    }
    int digits = locale.Byte(FRAC_DIGITS);
    if (digits < CHAR_MAX)
        items_[size_t(LocaleItem::CurrencyDigits)] = std::to_string(digits);

    std::string shortDate = PosixToWindowsPattern(locale.Raw(D_FMT), true);
    std::string longDateSource = locale.Raw(D_T_FMT);
    for (size_t p = longDateSource.find("%a"); p != std::string::npos; p = longDateSource.find("%a", p))
        longDateSource[p + 1] = 'A';
    for (size_t p = longDateSource.find("%b"); p != std::string::npos; p = longDateSource.find("%b", p))
        longDateSource[p + 1] = 'B';
    std::string timeFormat = PosixToWindowsPattern(locale.Raw(T_FMT), false, true);
    items_[size_t(LocaleItem::ShortDateFormat)] = shortDate;
    items_[size_t(LocaleItem::LongDateFormat)] = PosixToWindowsPattern(longDateSource, true);
    items_[size_t(LocaleItem::TimeFormat)] = timeFormat;
    if (char sep = FirstSeparator(shortDate))
        items_[size_t(LocaleItem::DateSeparator)] = std::string(1, sep);
    if (char sep = FirstSeparator(timeFormat))
        items_[size_t(LocaleItem::TimeSeparator)] = std::string(1, sep);
    items_[size_t(LocaleItem::TimeAMString)] = locale.Ansi(AM_STR).value_or("");
    items_[size_t(LocaleItem::TimePMString)] = locale.Ansi(PM_STR).value_or("");
    items_[size_t(LocaleItem::Country)] = locale.Ansi(_NL_ADDRESS_COUNTRY_NAME).value_or("");

    int firstWeekday = locale.Byte(_NL_TIME_FIRST_WEEKDAY);
    if (firstWeekday >= 1 && firstWeekday <= 7)
        items_[size_t(LocaleItem::FirstDayOfWeek)] = std::to_string((firstWeekday + 5) % 7);
    for (int i = 0; i < 12; ++i) {
        set(LocaleItem::LongMonthName1 + i, locale.Ansi(ALTMON_1 + i));
        set(LocaleItem::ShortMonthName1 + i, locale.Ansi(ABMON_1 + i));
    }
    for (int i = 0; i < 7; ++i) {
        set(LocaleItem::LongDayName1 + i, locale.Ansi(DAY_1 + i));
        set(LocaleItem::ShortDayName1 + i, locale.Ansi(ABDAY_1 + i));
    }
}

std::string PosixLocaleSource::Info(LocaleItem item) const
{
    return item < LocaleItem::Count ? items_[size_t(item)] : std::string();
}

const LocaleSource& CurrentLocaleSource()
{
    auto& source = InstalledSource();
    if (!source)
        source = std::make_unique<PosixLocaleSource>();
    return *source;
}

void SetLocaleSource(std::unique_ptr<LocaleSource> source)
{
    InstalledSource() = std::move(source);
    GetFormatSettings();
}

std::optional<std::string> GetLocaleInfo(int lcid, LocaleItem item)
{
    constexpr int kSystemDefault = 2048;
    constexpr int kUserDefault = 1024;
    const LocaleSource& source = CurrentLocaleSource();
    if (lcid != kSystemDefault && lcid != kUserDefault && lcid != source.Lcid())
        return std::nullopt;
    if (item >= LocaleItem::Count)
        return std::nullopt;
    return source.Info(item);
}

std::optional<std::string> GetIntlProfileString(std::string_view key)
{
    static const std::pair<const char*, LocaleItem> kKeys[] = {
        {"sDecimal", LocaleItem::DecimalSeparator},   {"sThousand", LocaleItem::ThousandSeparator},
        {"sList", LocaleItem::ListSeparator},         {"sCurrency", LocaleItem::CurrencyString},
        {"iCurrency", LocaleItem::CurrencyFormat},    {"iNegCurr", LocaleItem::NegCurrencyFormat},
        {"iCurrDigits", LocaleItem::CurrencyDigits},  {"sDate", LocaleItem::DateSeparator},
        {"sTime", LocaleItem::TimeSeparator},         {"sShortDate", LocaleItem::ShortDateFormat},
        {"sLongDate", LocaleItem::LongDateFormat},    {"sTimeFormat", LocaleItem::TimeFormat},
        {"s1159", LocaleItem::TimeAMString},          {"s2359", LocaleItem::TimePMString},
        {"sCountry", LocaleItem::Country},            {"iFirstDayOfWeek", LocaleItem::FirstDayOfWeek},
    };
    const LocaleSource& source = CurrentLocaleSource();
    for (const auto& [name, item] : kKeys)
        if (SameKey(key, name))
            return source.Info(item);
    std::string time = source.Info(LocaleItem::TimeFormat);
    if (SameKey(key, "iTime"))   // 1: 24-hour clock
        return std::string(time.find('H') != std::string::npos ? "1" : "0");
    if (SameKey(key, "iTLZero"))   // 1: hours with a leading zero
        return std::string(time.find("hh") != std::string::npos || time.find("HH") != std::string::npos ? "1"
                                                                                                         : "0");
    if (SameKey(key, "iDate")) {   // order of the short date: 0 month first, 1 day first, 2 year first
        std::string date = source.Info(LocaleItem::ShortDateFormat);
        size_t first = date.find_first_of("dMy");
        char c = first == std::string::npos ? 'M' : date[first];
        return std::string(c == 'M' ? "0" : c == 'd' ? "1" : "2");
    }
    return std::nullopt;
}

FormatSettings FormatSettings::FromLocale(const LocaleSource& source)
{
    FormatSettings fs;
    auto firstChar = [&](LocaleItem item, char fallback) {
        std::string value = source.Info(item);
        return value.empty() ? fallback : value[0];
    };
    fs.CurrencyString = source.Info(LocaleItem::CurrencyString);
    fs.CurrencyFormat = ParseInt(source.Info(LocaleItem::CurrencyFormat), 0);
    fs.NegCurrFormat = ParseInt(source.Info(LocaleItem::NegCurrencyFormat), 0);
    fs.CurrencyDecimals = ParseInt(source.Info(LocaleItem::CurrencyDigits), 2);
    fs.DecimalSeparator = firstChar(LocaleItem::DecimalSeparator, '.');
    fs.ThousandSeparator = firstChar(LocaleItem::ThousandSeparator, ' ');
    fs.DateSeparator = firstChar(LocaleItem::DateSeparator, '/');
    fs.TimeSeparator = firstChar(LocaleItem::TimeSeparator, ':');
    fs.ListSeparator = firstChar(LocaleItem::ListSeparator, ',');
    fs.ShortDateFormat = source.Info(LocaleItem::ShortDateFormat);
    fs.LongDateFormat = source.Info(LocaleItem::LongDateFormat);
    fs.TimeAMString = source.Info(LocaleItem::TimeAMString);
    fs.TimePMString = source.Info(LocaleItem::TimePMString);
    std::string time = source.Info(LocaleItem::TimeFormat);
    fs.LongTimeFormat = LibraryTimePattern(time);
    fs.ShortTimeFormat = LibraryTimePattern(WithoutSeconds(time));
    for (int i = 0; i < 12; ++i) {
        fs.LongMonthNames[size_t(i)] = source.Info(LocaleItem::LongMonthName1 + i);
        fs.ShortMonthNames[size_t(i)] = source.Info(LocaleItem::ShortMonthName1 + i);
    }
    for (int i = 0; i < 7; ++i) {
        fs.LongDayNames[size_t(i)] = source.Info(LocaleItem::LongDayName1 + i);
        fs.ShortDayNames[size_t(i)] = source.Info(LocaleItem::ShortDayName1 + i);
    }
    fs.FirstDayOfWeek = ParseInt(source.Info(LocaleItem::FirstDayOfWeek), 6);
    return fs;
}

FormatSettings& DefaultFormatSettings()
{
    static FormatSettings settings = FormatSettings::FromLocale(CurrentLocaleSource());
    return settings;
}

void GetFormatSettings()
{
    DefaultFormatSettings() = FormatSettings::FromLocale(CurrentLocaleSource());
}

}  // namespace rtl
