#include "translation/Lang.h"

#include "platform/classes/Filer.h"
#include "platform/classes/ResourceStrings.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/FormatSettings.h"
#include "translation/LangStrUtils.h"
#include "translation/ResStringRedirect.h"
#include "translation/ScreenCursor.h"

#include <mutex>
#include <vector>

namespace translation {

namespace {

constexpr const char* kDialogStringTable[kDialogCaptionCount] = {
    "Warning", "Error", "Information", "Confirm", "&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore",
    "&All", "N&o To All", "Y&es To All", "&Help", "&Open", "Look &in:", "File &name:", "Files of &type:",
    "&Read-only", "&Save", "&Drives:", "Save &in:", "Save as &type:", "&Basic colors:", "&Custom colors:",
    "&Define Custom Colors >>", "Color", "|S&olid", "Hu&e:", "&Sat:", "&Lum:", "&Red:", "&Green:", "Bl&ue:",
    "&Add to Custom Colors", "&Font:", "Font st&yle:", "Si&ze:", "&Color:", "&Apply", "Effects", "Stri&keout",
    "&Underline", "Sample", "Sc&ript:", "Printer", "&Name:", "&Properties", "Status:", "Type:", "Where:",
    "Comment:", "Paper", "&Source:", "Orientation", "P&ortrait", "L&andscape", "Print to f&ile", "Print",
    "Pa&ges", "&Selection", "&from:", "&to:", "Copies", "Number of &copies:", "C&ollate", "Fi&nd what:",
    "Match &whole words only", "Match &case", "Direction", "&Up", "&Down", "&Find Next", "&Replace",
    "Replace &All", "Re&place with:", "Picture:", "Preview", "New Folder", "Folder:", "(None)", "Close"};

// The message-box captions and buttons of the class library, whose current texts the first 15 dialog
// lines carry.
constexpr classes::TResStringRec kMessageCaptions[kBasicDialogCaptionCount] = {
    {"SMsgDlgWarning", "Warning"}, {"SMsgDlgError", "Error"}, {"SMsgDlgInformation", "Information"},
    {"SMsgDlgConfirm", "Confirm"}, {"SMsgDlgYes", "&Yes"}, {"SMsgDlgNo", "&No"}, {"SMsgDlgOK", "OK"},
    {"SMsgDlgCancel", "Cancel"}, {"SMsgDlgAbort", "&Abort"}, {"SMsgDlgRetry", "&Retry"},
    {"SMsgDlgIgnore", "&Ignore"}, {"SMsgDlgAll", "&All"}, {"SMsgDlgNoToAll", "N&o to All"},
    {"SMsgDlgYesToAll", "Yes to &All"}, {"SMsgDlgHelp", "&Help"}};

constexpr const char* kLocaleItemNames[kLocaleItemCount] = {
    "Currency String", "Thousand Separator", "Decimal Separator", "Date Separator", "Short Date Format",
    "Long Date Format", "Time Separator", "Time AM String", "Time PM String", "Short Time Format",
    "Long Time Format", "Short Month Names", "Long Month Names", "Short Day Names", "Long Day Names"};

constexpr const char* kDefaultExcludedProperties[] = {
    "Category", "SecondaryShortCuts", "HelpKeyword", "InitialDir", "HelpKeyword", "ActivePage", "ImeName",
    "DefaultExt", "FileName", "FieldName", "PickList", "DisplayFormat", "EditMask", "KeyList",
    "LookupDisplayFields", "DropDownSpecRow", "TableName", "DatabaseName", "IndexName", "MasterFields"};

constexpr char kTab = '\t';

struct MessageCaptionTexts {
    std::mutex lock;
    std::array<std::string, kBasicDialogCaptionCount> texts;
    bool taken = false;
};

MessageCaptionTexts& TheMessageCaptions()
{
    static MessageCaptionTexts captions;
    return captions;
}

// With the lock held.
void LoadMessageCaptions(MessageCaptionTexts& captions)
{
    for (int k = 0; k < kBasicDialogCaptionCount; ++k)
        captions.texts[std::size_t(k)] = classes::LoadResString(kMessageCaptions[k]);
    captions.taken = true;
}

std::string MessageCaptionText(int i)
{
    MessageCaptionTexts& captions = TheMessageCaptions();
    std::lock_guard guard(captions.lock);
    if (!captions.taken)
        LoadMessageCaptions(captions);
    return captions.texts[std::size_t(i - 1)];
}

// The names joined with "," (no trailing comma).
template <std::size_t N>
std::string JoinNames(const std::array<std::string, N>& names)
{
    return JoinWithSeparator({names.begin(), names.end()}, ",", false);
}

// A second translation component on one owner is refused before it joins the owner.
classes::TComponent* RefuseSecondComponent(classes::TComponent* owner)
{
    if (owner)
        for (int i = 0; i < owner->ComponentCount(); ++i)
            if (dynamic_cast<TtrCustomLang*>(owner->Components(i)))
                throw rtl::Exception(classes::LoadResString(SOnlyOneLangComponent));
    return owner;
}

bool HasFontProperty(const classes::TComponent& component)
{
    const classes::TPropInfo* font = component.ClassType().FindProperty("Font");
    if (!font || font->Kind() != classes::TTypeKind::Class)
        return false;
    for (const classes::TClassInfo* cls = font->type->ClassType(); cls; cls = cls->Parent())
        if (cls->Name() == "TFont")
            return true;
    return false;
}

std::string DialogLine(int i, char delimiter)
{
    return DialogCaptionIdentifier(i) + delimiter + DialogCaptionText(i) + delimiter;
}

// The screen shows the component's changing cursor while a language is applied at run time, when it
// showed its default one; the default comes back afterwards, also when the apply fails.
class ChangingCursorScope {
public:
    ChangingCursorScope(std::int16_t cursor, bool designing)
    {
        TScreenCursor* screen = ScreenCursor();
        if (cursor == -1 || designing || !screen || screen->Cursor() != crDefault)
            return;
        screen->SetCursor(cursor);
        screen_ = screen;
    }
    ~ChangingCursorScope()
    {
        if (screen_)
            screen_->SetCursor(crDefault);
    }
    ChangingCursorScope(const ChangingCursorScope&) = delete;
    ChangingCursorScope& operator=(const ChangingCursorScope&) = delete;

private:
    TScreenCursor* screen_ = nullptr;
};

// The line's first word, ending at "." or at the delimiter, is name; that first occurrence of name
// becomes newName.
bool RenameFirstWord(std::string& line, const std::string& name, const std::string& newName, char delimiter)
{
    if (line.substr(0, line.find_first_of(std::string(".") + delimiter)) != name)
        return false;
    line.replace(0, name.size(), newName);
    return true;
}

bool IsBasicDialogIdentifier(std::string_view identifier)
{
    for (int i = 1; i <= kBasicDialogCaptionCount; ++i)
        if (rtl::AnsiSameText(identifier, DialogCaptionIdentifier(i)))
            return true;
    return false;
}

}  // namespace

// --- tables ---

std::string DialogCaptionText(int i)
{
    return i <= kBasicDialogCaptionCount ? MessageCaptionText(i) : kDialogStringTable[i - 1];
}

std::string DialogCaptionIdentifier(int i)
{
    std::string identifier = kDialogStringTable[i - 1];
    std::erase(identifier, '&');
    return identifier;
}

void TakeMessageCaptionTexts()
{
    MessageCaptionTexts& captions = TheMessageCaptions();
    std::lock_guard guard(captions.lock);
    LoadMessageCaptions(captions);
}

std::string_view LocaleItemName(int index)
{
    return kLocaleItemNames[index];
}

TLocaleSnapshot TakeLocaleSnapshot()
{
    const rtl::FormatSettings& settings = rtl::DefaultFormatSettings();
    return {settings.CurrencyString,
            std::string(1, settings.ThousandSeparator),
            std::string(1, settings.DecimalSeparator),
            std::string(1, settings.DateSeparator),
            settings.ShortDateFormat,
            settings.LongDateFormat,
            std::string(1, settings.TimeSeparator),
            settings.TimeAMString,
            settings.TimePMString,
            settings.ShortTimeFormat,
            settings.LongTimeFormat,
            JoinNames(settings.ShortMonthNames),
            JoinNames(settings.LongMonthNames),
            JoinNames(settings.ShortDayNames),
            JoinNames(settings.LongDayNames)};
}

const classes::TTypeInfo& TranslateTypeType()
{
    static const classes::TTypeInfo type = classes::EnumType("TTranslateType", {"ttNoChange", "ttGetDefault"});
    return type;
}

const classes::TTypeInfo& LinguaOptionsType()
{
    static const classes::TTypeInfo element =
        classes::EnumType("TtrLinguaOption", {"loUseExtUDStrings", "loUseExtCommonStrings"});
    static const classes::TTypeInfo type = classes::SetType("TtrLinguaOptions", element);
    return type;
}

// --- construction ---

TtrCustomLang::TtrCustomLang(classes::TComponent* owner) : classes::TComponent(RefuseSecondComponent(owner))
{
    for (int type = 0; type < kStringsTypeCount; ++type)
        if (TStringsType(type) != TStringsType::stListView_TreeView_Items)
            lists_[std::size_t(type)] = std::make_unique<rtl::TStringList>();
    doNotTranslate_ = std::make_unique<rtl::TStringList>();
    langNames_ = std::make_unique<rtl::TStringList>();
    langNames_->Add("Language N1");
    language_ = "Language N1";
    FillDefaultDialogCaptions();
    localeSnapshot_ = TakeLocaleSnapshot();
    excludedProperties_ = std::make_unique<rtl::TStringList>();
    stringsTypes_ = std::make_unique<rtl::TStringList>();
    stringsTypes_->Add("TIB_STRINGLIST");
    stringsTypes_->Add("TSTRINGLIST");
    smartExcludeProps_ = std::make_unique<rtl::TStringList>();
    ownerHasNoFont_ = owner && !HasFontProperty(*owner);
    extendedTranslations_ = std::make_unique<TtrExtendedItems>(this);
    for (const char* name : kDefaultExcludedProperties)
        excludedProperties_->Add(name);
}

TtrCustomLang::~TtrCustomLang()
{
    StopServingResourceStrings(*this);
    if (dispatcher_)
        dispatcher_->Unlink(*this);
}

const classes::TClassInfo& TtrCustomLang::StaticClass()
{
    static const classes::TClassInfo info("TtrCustomLang", &classes::TComponent::StaticClass());
    return info;
}

rtl::TStringList* TtrCustomLang::GetListByType(TStringsType type) const
{
    std::string_view name = StringsTypeName(type).substr(2);
    const classes::TPropInfo* prop = ClassType().FindProperty(name);
    if (!prop || !prop->getStrings)
        return nullptr;
    return dynamic_cast<rtl::TStringList*>(prop->getStrings(*this));
}

TTranslationListRefs TtrCustomLang::TypeLists() const
{
    TTranslationListRefs lists{};
    for (int type = 0; type < kStringsTypeCount; ++type)
        lists[std::size_t(type)] = GetListByType(TStringsType(type));
    return lists;
}

rtl::TStringList* TtrCustomLang::OwnList(TStringsType type) const
{
    return lists_[std::size_t(type)].get();
}

void TtrCustomLang::FillDefaultDialogCaptions()
{
    rtl::TStringList& dialogs = *OwnList(TStringsType::stDlgsCaptions);
    for (int i = 1; i <= kBasicDialogCaptionCount; ++i)
        dialogs.Add(DialogLine(i, Delimiter()));
}

void TtrCustomLang::SyncDialogCaptions()
{
    rtl::TStringList* dialogs = GetListByType(TStringsType::stDlgsCaptions);
    if (!dialogs)
        return;
    if (needAllDlgs_) {
        for (int i = dialogs->Count() + 1; i <= kDialogCaptionCount; ++i)
            dialogs->Add(DialogLine(i, Delimiter()));
    } else if (dialogs->Count() == kDialogCaptionCount) {
        for (int i = dialogs->Count() - 1; i >= 0; --i)
            if (!IsBasicDialogIdentifier(GetDelimitedField(dialogs->Strings(i), Delimiter(), 0)))
                dialogs->Delete(i);
    }
}

// --- languages ---

void TtrCustomLang::SetNumOfLanguages(int value)
{
    if (value == numOfLanguages_)
        return;
    if (value < 1)
        throw ELanguageError(std::to_string(value) + classes::LoadResString(SInvalidLanguageCount));
    if (value < numOfLanguages_)
        for (int type = 0; type < kStringsTypeCount; ++type)
            if (rtl::TStringList* list = GetListByType(TStringsType(type)))
                for (int i = 0; i < list->Count(); ++i) {
                    std::string line = list->Strings(i);
                    std::size_t end = 0;
                    for (int found = 0; found <= value && end != std::string::npos; ++found)
                        end = line.find(Delimiter(), found == 0 ? 0 : end + 1);
                    if (end != std::string::npos)
                        list->SetStrings(i, line.substr(0, end + 1));
                }
    numOfLanguages_ = value;
    if (Designing() && !Reading())
        PadLines();
    while (langNames_->Count() < numOfLanguages_)
        langNames_->Add("Language N" + std::to_string(langNames_->Count() + 1));
    while (langNames_->Count() > numOfLanguages_)
        langNames_->Delete(langNames_->Count() - 1);
    if (!Designing() && !Reading()) {
        PadLines();
        RebuildStringLookup();
    }
}

void TtrCustomLang::SetActiveLanguage(int value)
{
    if (value == activeLanguage_)
        return;
    if (value < 1 || value > numOfLanguages_) {
        if (Reading())
            return;
        throw ELanguageError(rtl::Format(classes::LoadResString(SInvalidLanguageIndex), {value, numOfLanguages_}));
    }
    applySelector_ = -1;
    const ChangingCursorScope cursor(changingCursor_, Designing());
    if (Designing() && (!Reading() || dispatcher_))
        CollectStrings();
    activeLanguage_ = value;
    if (!Reading() && value <= langNames_->Count())
        language_ = langNames_->Strings(value - 1);
    if (dispatcher_ || !Reading())
        ApplyLanguage();
}

void TtrCustomLang::SetLanguage(const std::string& value)
{
    if (value == language_)
        return;
    int index = langNames_->IndexOf(value);
    if (index < 0) {
        if (!Reading())
            throw ELanguageError(classes::LoadResString(SLanguageNotInNames));
        index = langNames_->Add(value);
    }
    language_ = value;
    if (!Reading())
        SetActiveLanguage(index + 1);
}

void TtrCustomLang::SetLangNames(const rtl::TStrings& value)
{
    CopyLines(*langNames_, value);
    if (activeLanguage_ <= langNames_->Count())
        language_ = langNames_->Strings(activeLanguage_ - 1);
    // Kept at one language at least, which every line needs.
    if (langNames_->Count() == 0 || langNames_->Count() == numOfLanguages_)
        return;
    numOfLanguages_ = langNames_->Count();
    // The look-up collections hold one text per language; a language they lack would fail every look-up.
    if (!Reading())
        RebuildStringLookup();
}

void TtrCustomLang::SetLangDelim(std::uint8_t value)
{
    if (char(value) != langDelim_ && !Reading())
        extendedTranslations_->ReplaceDelimiter(langDelim_, char(value));
    translation::SetLangDelim(langDelim_, char(value), Reading(), TypeLists());
}

void TtrCustomLang::SetDefaultLanguage(int value)
{
    if (value >= 1 && value <= numOfLanguages_)
        defaultLanguage_ = value;
}

void TtrCustomLang::SetResourceLanguageIndex(std::uint16_t value)
{
    if (Reading()) {
        resourceLanguageIndex_ = value;
        return;
    }
    if (value < 1 || value > numOfLanguages_)
        throw ELanguageError(rtl::Format(classes::LoadResString(SInvalidLanguageIndex), {int(value), numOfLanguages_}));
    resourceLanguageIndex_ = value;
    if (!Designing()) {
        resourceLookup_.SetSortLanguage(value);
        resourceLookup_.Resort();
    }
}

// --- what is translated ---

void TtrCustomLang::SetChangeLocales(bool value)
{
    changeLocales_ = value;
    rtl::TStringList* locales = GetListByType(TStringsType::stLocales);
    if (value && locales && locales->Count() == 0)
        AppendLocaleLines(0);
}

void TtrCustomLang::AppendLocaleLines(int from)
{
    rtl::TStringList* locales = GetListByType(TStringsType::stLocales);
    for (int i = from; i < kLocaleItemCount; ++i)
        locales->Add(std::string(LocaleItemName(i)) + Delimiter() + localeSnapshot_[std::size_t(i)] + Delimiter());
}

void TtrCustomLang::SetOptions(TtrLinguaOptions value)
{
    if (Designing() && value != options_ && (value & loUseExtCommonStrings))
        for (TStringsType type : {TStringsType::stDlgsCaptions, TStringsType::stLocales})
            if (rtl::TStringList* list = GetListByType(type))
                list->Clear();
    options_ = value;
}

void TtrCustomLang::SetNeedAllDlgs(bool value)
{
    needAllDlgs_ = value;
    SyncDialogCaptions();
}

void TtrCustomLang::SetDoNotTranslate(const rtl::TStrings& value)
{
    CopyLines(*doNotTranslate_, value);
    if (!Designing() || !Owner())
        return;
    classes::TComponent& owner = *Owner();
    for (int n = 0; n < doNotTranslate_->Count(); ++n) {
        std::string name = doNotTranslate_->Strings(n);
        std::vector<classes::TComponent*> named;
        if (!name.empty() && name[0] == '!') {
            for (int i = 0; i < owner.ComponentCount(); ++i)
                if (rtl::AnsiSameText(owner.Components(i)->ClassName(), name.substr(1)))
                    named.push_back(owner.Components(i));
        } else if (rtl::AnsiSameText(owner.ClassName(), name)) {
            named.push_back(&owner);
        } else if (classes::TComponent* component = owner.FindComponent(name)) {
            named.push_back(component);
        }
        for (classes::TComponent* component : named)
            for (int type = 0; type < kStringsTypeCount; ++type)
                RemoveComponentLines(GetListByType(TStringsType(type)), component, TStringsType(type),
                                     classes::TOperation::Remove);
    }
}

void TtrCustomLang::SetExcludedProperties(const rtl::TStrings& value)
{
    CopyLines(*excludedProperties_, value);
    if (Reading())
        return;
    PruneExcludedProperties();
    CollectStrings();
}

void TtrCustomLang::SetSmartExcludeProps(const rtl::TStrings& value)
{
    CopyLines(*smartExcludeProps_, value);
    CollectStrings();
}

void TtrCustomLang::SetStringsTypes(const rtl::TStrings& value)
{
    CopyLines(*stringsTypes_, value);
    CollectStrings();
}

void TtrCustomLang::SetAutoSkipEmpties(bool value)
{
    autoSkipEmpties_ = value;
    if (value)
        CollectStrings();
}

void TtrCustomLang::SetLangDispatcher(TLanguageDispatcher* value)
{
    if (value == dispatcher_)
        return;
    // A dispatcher that is going (its removal clears the reference) is past forgetting anybody.
    if (dispatcher_ && !dispatcher_->HasState(classes::csDestroying)) {
        dispatcher_->Unlink(*this);
        RemoveFreeNotification(dispatcher_);
    }
    dispatcher_ = value;
    if (!value)
        return;
    FreeNotification(value);
    if (Reading()) {
        // What the window's reading does next (padding, the look-up collections) counts the languages
        // the dispatcher has.
        SetNumOfLanguages(value->NumOfLanguages());
        SetDefaultLanguage(value->DefaultLanguage());
        useDefaultLanguage_ = value->UseDefaultLanguage();
    } else if (Owner()) {
        value->Link(*this);
    }
}

void TtrCustomLang::SetExtendedTranslations(TtrExtendedItems* value)
{
    if (value && value != extendedTranslations_.get())
        extendedTranslations_->Assign(value);
}

void TtrCustomLang::AssignList(TStringsType type, const rtl::TStrings& source)
{
    CopyLines(*OwnList(type), source);
    applySelector_ = int(type);
    ApplyLanguage();
}

void TtrCustomLang::ApplyLanguage()
{
    if (OnChangeLanguage)
        OnChangeLanguage(this);
}

// --- after loading ---

void TtrCustomLang::PruneExcludedProperties()
{
    translation::PruneExcludedProperties(TypeLists(), *excludedProperties_, *smartExcludeProps_, Delimiter());
}

void TtrCustomLang::PadLines()
{
    for (TStringsType type : {TStringsType::stStrings, TStringsType::stDlgsCaptions, TStringsType::stLocales}) {
        rtl::TStringList* list = GetListByType(type);
        if (!list)
            continue;
        for (int i = 0; i < list->Count(); ++i) {
            std::string line = list->Strings(i);
            int missing = numOfLanguages_ + 1 - CountCharsInSet(line, std::string_view(&langDelim_, 1));
            if (missing > 0)
                list->SetStrings(i, line + std::string(std::size_t(missing), Delimiter()));
        }
    }
}

void TtrCustomLang::RebuildStringLookup()
{
    rtl::TStringList* strings = GetListByType(TStringsType::stStrings);
    if (!strings)
        return;
    TtrStringsCollection* resources = handleResourceStrings_ && Owner() ? &resourceLookup_ : nullptr;
    translation::RebuildStringLookup({stringsLookup_, resources, resourceLanguageIndex_}, *strings, numOfLanguages_,
                                     Delimiter(), Designing());
}

void TtrCustomLang::Loaded()
{
    classes::TComponent::Loaded();
    if (!Owner())
        return;
    SyncDialogCaptions();
    if (options_ & loUseExtCommonStrings)
        for (TStringsType type : {TStringsType::stDlgsCaptions, TStringsType::stLocales})
            if (rtl::TStringList* list = GetListByType(type))
                list->Clear();
    if (langDelim_ == kTab)
        SetLangDelim(1);
    // Lines stored with TAB delimiters take the component's delimiter; a TAB in the text of a line that
    // already has it stays text.
    ConvertTabDelimitedLines(TypeLists(), Delimiter());
    extendedTranslations_->ConvertTabDelimitedValues(Delimiter());
    rtl::TStringList* locales = GetListByType(TStringsType::stLocales);
    if (locales && locales->Count() == 11)
        AppendLocaleLines(11);
    PruneExcludedProperties();
    rtl::TStringList* strings = GetListByType(TStringsType::stStrings);
    if (Designing())
        PadLines();
    else if (strings)
        BuildStringsCollection(stringsLookup_, *strings, numOfLanguages_, Delimiter(), 0);
    if (dispatcher_)
        dispatcher_->Link(*this);
    if (isInheritedOwner_)
        ApplyLanguage();
    if (!Designing() && handleResourceStrings_ && strings && !ActiveResourceComponent()) {
        BuildStringsCollection(resourceLookup_, *strings, numOfLanguages_, Delimiter(), resourceLanguageIndex_);
        ServeResourceStrings(*this);
    }
    if (Designing())
        extendedTranslations_->Relink();
}

// --- component lifetime ---

void TtrCustomLang::Notification(classes::TComponent* component, classes::TOperation operation)
{
    // The base clears the published reference to a component that goes; the dispatcher's removal is
    // told apart before it does.
    const bool dispatcherGoes = operation == classes::TOperation::Remove && component == dispatcher_;
    classes::TComponent::Notification(component, operation);
    if (dispatcherGoes) {
        dispatcher_ = nullptr;
        return;
    }
    if (dynamic_cast<TtrCustomLang*>(component))
        return;
    if (operation == classes::TOperation::Remove) {
        extendedTranslations_->ComponentRemoved(component);
        if (!component->Name().empty())
            if (int index = doNotTranslate_->IndexOf(component->Name()); index >= 0)
                doNotTranslate_->Delete(index);
    }
    for (TStringsType type : {TStringsType::stCaptions, TStringsType::stHints, TStringsType::stDisplayLabels,
                              TStringsType::stFonts, TStringsType::stMultiLines, TStringsType::stOtherStrings,
                              TStringsType::stCollections})
        RemoveComponentLines(GetListByType(type), component, type, operation);
    RemoveComponentLines(GetListByType(TStringsType::stCharSets), component, TStringsType::stFonts, operation);
    RemoveComponentLines(smartExcludeProps_.get(), component, TStringsType::stOtherStrings, operation);
}

void TtrCustomLang::RemoveComponentLines(rtl::TStrings* list, classes::TComponent* component, TStringsType type,
                                         classes::TOperation operation)
{
    if (operation != classes::TOperation::Remove || !Designing() || !list || list->Count() == 0)
        return;
    std::string prefix = component == Owner() ? component->ClassName() : component->Name();
    bool dotted = type == TStringsType::stMultiLines || type == TStringsType::stOtherStrings
        || type == TStringsType::stCollections;
    prefix += dotted ? '.' : Delimiter();
    for (int i = list->Count() - 1; i >= 0; --i)
        if (list->Strings(i).starts_with(prefix))
            list->Delete(i);
}

void TtrCustomLang::RenameComponentEntries(const std::string& oldName, const std::string& newName)
{
    if (newName.empty())
        return;
    // The window's own lines carry its class name.
    const bool window = Owner() && (Owner()->Name() == oldName || Owner()->Name() == newName);
    const std::string from = window ? "T" + oldName : oldName;
    const std::string to = window ? "T" + newName : newName;
    std::vector<rtl::TStrings*> lists = {doNotTranslate_.get(), smartExcludeProps_.get()};
    for (rtl::TStrings* list : TypeLists())
        if (list)
            lists.push_back(list);
    for (rtl::TStrings* list : lists)
        for (int i = 0; i < list->Count(); ++i) {
            std::string line = list->Strings(i);
            if (RenameFirstWord(line, from, to, Delimiter()))
                list->SetStrings(i, line);
        }
    extendedTranslations_->RenameComponent(from, to);
}

// --- stored data ---

void TtrCustomLang::DefineProperties(classes::TFiler& filer)
{
    classes::TComponent::DefineProperties(filer);
    TTranslationListRefs ancestorLists{};
    const auto* ancestor = dynamic_cast<const TtrCustomLang*>(filer.Ancestor());
    if (ancestor)
        ancestorLists = ancestor->TypeLists();
    filer.DefineBinaryProperty(
        "TranslationData",
        [this](rtl::TStream& stream) {
            TTranslationReadContext context;
            context.delimiter = Delimiter();
            context.designing = Designing();
            context.inheritedOwner = isInheritedOwner_;
            if (Owner())
                context.ownerClassName = Owner()->ClassName();
            ReadTranslationData(stream, TypeLists(), context);
        },
        [this](rtl::TStream& stream) { WriteTranslationData(TypeLists(), stream); },
        HasTranslationData(TypeLists(), ancestor ? &ancestorLists : nullptr));
}

}  // namespace translation
