// The form: whether its fields must be drawn anew, their default text style
// and alignment, the order in which they calculate; and whether pdftk
// renamed an input's fields because another input used the same names.

#include "parts/PdfValues.h"
#include "parts/Restoring.h"

#include <qpdf/BufferInputSource.hh>
#include <qpdf/QPDFTokenizer.hh>

#include <set>

namespace corvanta {

namespace {

// Field hierarchies of honest forms are a few levels deep.
constexpr int kDeepestField = 64;

// The field a widget belongs to: the widget itself where it has a name or
// a type, else its parent.
QPDFObjectHandle fieldOf(QPDFObjectHandle widget)
{
    if (widget.hasKey("/T") || widget.hasKey("/FT") || !widget.getKey("/Parent").isDictionary())
        return widget;
    return widget.getKey("/Parent");
}

// A field and its ancestors, the field first.
std::vector<QPDFObjectHandle> lineOf(QPDFObjectHandle field)
{
    std::vector<QPDFObjectHandle> line;
    std::set<QPDFObjGen> seen;
    for (; field.isDictionary() && line.size() < size_t(kDeepestField); field = field.getKey("/Parent")) {
        if (field.isIndirect() && !seen.insert(field.getObjGen()).second)
            break;
        line.push_back(field);
    }
    return line;
}

// A field's full name: its ancestors' names and its own, joined by dots.
std::string fullName(QPDFObjectHandle field)
{
    std::string name;
    for (QPDFObjectHandle ancestor : lineOf(field)) {
        QPDFObjectHandle own = ancestor.getKey("/T");
        if (own.isString())
            name = name.empty() ? own.getUTF8Value() : own.getUTF8Value() + "." + name;
    }
    return name;
}

// Each widget on the input's pages with pdftk's copy of it.
template <typename Visit> void forEachWidget(JoinedInput &input, Visit &&visit)
{
    Transplant &transplant = *input.transplant;
    transplant.matchPageContents();
    for (QPDFObjectHandle page : transplant.inputPages()) {
        QPDFObjectHandle annotations = page.getKey("/Annots");
        if (!annotations.isArray())
            continue;
        for (QPDFObjectHandle annotation : annotations.getArrayAsVector()) {
            QPDFObjectHandle copy = transplant.counterpart(annotation);
            if (valueAt(annotation, {"/Subtype"}).isNameAndEquals("/Widget") && copy.isDictionary())
                visit(annotation, copy);
        }
    }
}

void findRenamedFields(JoinedInput &input)
{
    forEachWidget(input, [&input](QPDFObjectHandle widget, QPDFObjectHandle copy) {
        if (fullName(fieldOf(widget)) != fullName(fieldOf(copy)))
            input.lost |= RenamedFields;
    });
}

// The fonts that a default appearance (/DA) names: "/Helv 10 Tf" names /Helv.
void addFontsNamed(QPDFObjectHandle appearance, std::set<std::string> &fonts)
{
    if (!appearance.isString())
        return;
    auto source = std::make_shared<BufferInputSource>("/DA", appearance.getStringValue());
    QPDFTokenizer tokenizer;
    QPDFTokenizer::Token before[2];
    for (;;) {
        const QPDFTokenizer::Token token = tokenizer.readToken(source, "/DA", true);
        if (token.getType() == QPDFTokenizer::tt_eof || token.getType() == QPDFTokenizer::tt_bad)
            return;
        if (token.isWord("Tf") && before[0].getType() == QPDFTokenizer::tt_name)
            fonts.insert(before[0].getValue());
        before[0] = before[1];
        before[1] = token;
    }
}

// The fonts the fields of `input` are drawn with, where a reader draws them.
std::set<std::string> fontsOfFields(JoinedInput &input)
{
    std::set<std::string> fonts;
    addFontsNamed(valueAt(input.pdf->getRoot(), {"/AcroForm", "/DA"}), fonts);
    forEachWidget(input, [&fonts](QPDFObjectHandle widget, QPDFObjectHandle) {
        for (QPDFObjectHandle field : lineOf(widget))
            addFontsNamed(field.getKey("/DA"), fonts);
    });
    return fonts;
}

// Gives the fields of `input` that relied on the form's default for `key`
// a default of their own: set on the topmost field of each, unless that is
// a widget drawn from its own entries, whose look would change.
bool pushDefault(JoinedInput &input, const char *key, QPDFObjectHandle value)
{
    bool whole = true;
    forEachWidget(input, [&](QPDFObjectHandle widget, QPDFObjectHandle) {
        std::vector<QPDFObjectHandle> line = lineOf(widget);
        for (QPDFObjectHandle field : line) {
            if (field.hasKey(key))
                return;
        }
        QPDFObjectHandle top = line.back();
        QPDFObjectHandle copy = input.transplant->counterpart(top);
        if (!copy.isDictionary() || (line.size() == 1 && valueAt(widget, {"/AP", "/N"}).isNull())) {
            whole = false;
            return;
        }
        copy.replaceKey(key, input.transplant->copy(value));
    });
    return whole;
}

// Whether two resources of one name are the same to a reader that draws a
// field with them: the same object, or a font of the same kind and name.
bool sameResource(QPDFObjectHandle one, QPDFObjectHandle other)
{
    if (one.isIndirect() && other.isIndirect() && one.getObjGen() == other.getObjGen())
        return true;
    if (!one.isDictionary() || !other.isDictionary())
        return one.isStream() == other.isStream() && !one.isStream() && one.unparse() == other.unparse();
    for (const char *key : {"/Type", "/Subtype", "/BaseFont", "/Encoding"}) {
        if (one.getKey(key).isName() != other.getKey(key).isName()
            || (one.getKey(key).isName() && one.getKey(key).getName() != other.getKey(key).getName()))
            return false;
    }
    return true;
}

// pdftk keeps the default resources (/DR) of one input alone: the fonts
// the other inputs' fields are drawn with join them, under their names. A
// name taken by another font cannot be given, and that input's fields
// that name it may then be drawn in the other font.
void mergeResources(JoinedInput &input, QPDFObjectHandle form, std::vector<std::string> &added)
{
    QPDFObjectHandle own = valueAt(input.pdf->getRoot(), {"/AcroForm", "/DR"});
    if (!own.isDictionary())
        return;
    const std::set<std::string> drawnWith = fontsOfFields(input);
    // The resources pdftk kept may be those of a field's appearance too:
    // what joins them goes into copies of the form's own, never into them.
    QPDFObjectHandle kept = form.getKey("/DR");
    QPDFObjectHandle joined = kept.isDictionary() ? kept.shallowCopy() : QPDFObjectHandle::newDictionary();
    form.replaceKey("/DR", joined);
    for (const std::string &kind : own.getKeys()) {
        QPDFObjectHandle entries = own.getKey(kind);
        if (!entries.isDictionary())
            continue;
        QPDFObjectHandle existing = joined.getKey(kind);
        QPDFObjectHandle into = existing.isDictionary() ? existing.shallowCopy() : QPDFObjectHandle::newDictionary();
        joined.replaceKey(kind, into);
        for (const std::string &name : entries.getKeys()) {
            const bool drawn = kind == "/Font" && drawnWith.count(name);
            QPDFObjectHandle copy = input.transplant->copy(entries.getKey(name));
            if (!into.hasKey(name)) {
                into.replaceKey(name, copy);
                added.push_back(kind + name);
                if (drawn)
                    input.restored |= FormDefaults; // pdftk's result lacks it
            } else if (drawn && !sameResource(into.getKey(name), copy)) {
                input.lost |= FormDefaults;
            }
        }
    }
}

} // namespace

namespace {

std::string unparsed(QPDFObjectHandle value)
{
    return value.isNull() ? std::string() : value.unparse();
}

// The joined form's settings, gathered input by input.
struct FormSettings
{
    QPDFObjectHandle form;
    bool drawAnew = false;
    QPDFObjectHandle leading[2] = {QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull()}; // /DA, /Q
    QPDFObjectHandle order = QPDFObjectHandle::newArray();
    std::vector<std::string> resources; // added to /DR, as kind and name

    static constexpr const char *kDefaults[2] = {"/DA", "/Q"};

    // The form's default style and alignment: the first that an input with
    // fields gives.
    void chooseLeading(std::vector<JoinedInput> &inputs)
    {
        for (JoinedInput &input : inputs) {
            QPDFObjectHandle own =
                input.has(FormFields) ? input.pdf->getRoot().getKey("/AcroForm") : QPDFObjectHandle::newNull();
            for (int i = 0; i < 2; ++i) {
                if (leading[i].isNull() && own.isDictionary() && !own.getKey(kDefaults[i]).isNull()) {
                    leading[i] = input.transplant->copy(own.getKey(kDefaults[i]));
                    form.replaceKey(kDefaults[i], leading[i]);
                }
            }
        }
    }

    // The fields of an input whose own defaults are other than the form's
    // get their own; an input without an alignment has fields aligned left.
    // False when some of them could not be given theirs.
    bool keepDefaults(JoinedInput &input)
    {
        QPDFObjectHandle own = input.pdf->getRoot().getKey("/AcroForm");
        bool whole = true;
        for (int i = 0; i < 2; ++i) {
            QPDFObjectHandle value = valueAt(own, {kDefaults[i]});
            if (value.isNull() && i == 1)
                value = QPDFObjectHandle::newInteger(0);
            if (!leading[i].isNull() && !value.isNull() && value.unparse() != leading[i].unparse())
                whole = pushDefault(input, kDefaults[i], value) && whole;
        }
        return whole;
    }

    // An input's calculation order, through the fields pdftk copied.
    bool addOrder(JoinedInput &input)
    {
        QPDFObjectHandle calculated = valueAt(input.pdf->getRoot(), {"/AcroForm", "/CO"});
        if (!calculated.isArray())
            return true;
        input.transplant->matchPageContents();
        bool whole = true;
        for (QPDFObjectHandle field : calculated.getArrayAsVector()) {
            QPDFObjectHandle copy = input.transplant->counterpart(field);
            whole = whole && copy.isDictionary();
            if (copy.isDictionary())
                order.appendItem(copy);
        }
        return whole;
    }

    bool changes()
    {
        return drawAnew || !leading[0].isNull() || !leading[1].isNull() || order.getArrayNItems() > 0
            || !resources.empty();
    }

    // What the mended file's form must show.
    Promise promise()
    {
        return [drawAnew = drawAnew, style = unparsed(leading[0]), alignment = unparsed(leading[1]),
                calculated = order.getArrayNItems(),
                resources = resources](QPDF &mended, const std::vector<QPDFObjectHandle> &) {
            QPDFObjectHandle made = mended.getRoot().getKey("/AcroForm");
            for (const std::string &resource : resources) {
                const size_t name = resource.find('/', 1);
                if (!valueAt(made, {"/DR", resource.substr(0, name).c_str()}).hasKey(resource.substr(name)))
                    return false;
            }
            QPDFObjectHandle redraw = valueAt(made, {"/NeedAppearances"});
            QPDFObjectHandle order = valueAt(made, {"/CO"});
            return (redraw.isBool() && redraw.getBoolValue()) == drawAnew && unparsed(valueAt(made, {"/DA"})) == style
                && unparsed(valueAt(made, {"/Q"})) == alignment
                && (order.isArray() ? order.getArrayNItems() : 0) == calculated;
        };
    }
};

// Whether the joined form asks readers to draw its fields anew: where every
// input with fields asked it. The request is the whole form's, and a reader
// would redraw the other inputs' fields too, from values that their own
// appearances may not show; those that asked then have it named lost.
bool everyFormRedrawn(const std::vector<JoinedInput> &inputs)
{
    bool asked = false;
    for (const JoinedInput &input : inputs) {
        if (!input.has(FormFields))
            continue;
        if (!input.has(NeedsAppearances))
            return false;
        asked = true;
    }
    return asked;
}

} // namespace

void restoreForm(Restoring &restoring)
{
    for (JoinedInput &input : restoring.inputs) {
        if (input.has(FormFields))
            findRenamedFields(input);
    }
    FormSettings settings;
    settings.form = restoring.result.getRoot().getKey("/AcroForm");
    if (!settings.form.isDictionary()) {
        // No field came with any page: the form's settings apply to nothing.
        for (JoinedInput &input : restoring.inputs)
            input.restored |= input.carried & (NeedsAppearances | FormDefaults);
        return;
    }
    settings.chooseLeading(restoring.inputs);
    settings.drawAnew = everyFormRedrawn(restoring.inputs);
    for (JoinedInput &input : restoring.inputs) {
        if (settings.drawAnew || !input.has(FormFields))
            input.restored |= input.carried & NeedsAppearances;
        if (!input.has(FormFields))
            continue;
        mergeResources(input, settings.form, settings.resources);
        const bool whole = settings.keepDefaults(input) && (!input.has(FormDefaults) || settings.addOrder(input));
        if (whole)
            input.restored |= input.carried & FormDefaults;
        else
            input.lost |= FormDefaults;
    }
    if (!settings.changes())
        return;
    if (settings.drawAnew)
        settings.form.replaceKey("/NeedAppearances", QPDFObjectHandle::newBool(true));
    if (settings.order.getArrayNItems() > 0)
        settings.form.replaceKey("/CO", settings.order);
    restoring.changed = true;
    restoring.promise(settings.promise());
}

} // namespace corvanta
