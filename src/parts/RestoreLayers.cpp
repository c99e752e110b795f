// Layers: the joined file's optional content made from each input's, with
// the groups pdftk copied along with the pages, so that a layer hidden in
// its input is hidden again and the links that show or hide it work on it.
// The first input's default configuration leads; the others' groups follow.

#include "parts/PdfValues.h"
#include "parts/Restoring.h"

namespace corvanta {

namespace {

bool lists(QPDFObjectHandle list, QPDFObjectHandle group)
{
    if (!list.isArray())
        return false;
    for (QPDFObjectHandle item : list.getArrayAsVector()) {
        if (item.isIndirect() && item.getObjGen() == group.getObjGen())
            return true;
    }
    return false;
}

// Whether a group is on in a configuration: its base state, then its lists.
bool isOn(QPDFObjectHandle configuration, QPDFObjectHandle group)
{
    if (valueAt(configuration, {"/BaseState"}).isNameAndEquals("/OFF"))
        return lists(valueAt(configuration, {"/ON"}), group);
    return !lists(valueAt(configuration, {"/OFF"}), group);
}

// The settings of the joined file's default configuration, gathered input
// by input.
struct Configuration
{
    QPDFObjectHandle groups = QPDFObjectHandle::newArray();
    QPDFObjectHandle off = QPDFObjectHandle::newArray();
    QPDFObjectHandle order = QPDFObjectHandle::newArray();
    QPDFObjectHandle exclusive = QPDFObjectHandle::newArray(); // /RBGroups
    QPDFObjectHandle locked = QPDFObjectHandle::newArray();
    QPDFObjectHandle automatic = QPDFObjectHandle::newArray(); // /AS
    QPDFObjectHandle leading = QPDFObjectHandle::newDictionary();
    bool ordered = false;
    std::vector<bool> expectedOn;

    void add(JoinedInput &input)
    {
        Transplant &transplant = *input.transplant;
        transplant.matchPageContents();
        QPDFObjectHandle properties = input.pdf->getRoot().getKey("/OCProperties");
        QPDFObjectHandle defaults = properties.getKey("/D");
        QPDFObjectHandle own = QPDFObjectHandle::newArray();
        for (QPDFObjectHandle group : properties.getKey("/OCGs").getArrayAsVector()) {
            if (!group.isDictionary())
                continue;
            // pdftk's copy, where the pages use the group.
            QPDFObjectHandle copy = transplant.copy(group);
            groups.appendItem(copy);
            own.appendItem(copy);
            expectedOn.push_back(isOn(defaults, group));
            if (!expectedOn.back())
                off.appendItem(copy);
        }
        const auto append = [&transplant, &defaults](QPDFObjectHandle to, const char *key) {
            QPDFObjectHandle items = valueAt(defaults, {key});
            if (items.isArray()) {
                for (QPDFObjectHandle item : items.getArrayAsVector())
                    to.appendItem(transplant.copy(item));
            }
        };
        // A file without an order of its own shows its groups as they come.
        if (valueAt(defaults, {"/Order"}).isArray()) {
            ordered = true;
            append(order, "/Order");
        } else {
            for (QPDFObjectHandle group : own.getArrayAsVector())
                order.appendItem(group);
        }
        append(exclusive, "/RBGroups");
        append(locked, "/Locked");
        append(automatic, "/AS");
        if (leading.getKeys().empty()) {
            for (const char *key : {"/Name", "/Creator", "/Intent", "/ListMode"}) {
                if (defaults.isDictionary() && defaults.hasKey(key))
                    leading.replaceKey(key, transplant.copy(defaults.getKey(key)));
            }
        }
    }

    QPDFObjectHandle properties()
    {
        QPDFObjectHandle configuration = leading.shallowCopy();
        configuration.replaceKey("/OFF", off);
        for (auto [key, items] :
             {std::pair{"/Order", ordered ? order : QPDFObjectHandle::newArray()}, std::pair{"/RBGroups", exclusive},
              std::pair{"/Locked", locked}, std::pair{"/AS", automatic}}) {
            if (items.getArrayNItems() > 0)
                configuration.replaceKey(key, items);
        }
        QPDFObjectHandle made = QPDFObjectHandle::newDictionary();
        made.replaceKey("/OCGs", groups);
        made.replaceKey("/D", configuration);
        return made;
    }
};

} // namespace

void restoreLayers(Restoring &restoring)
{
    Configuration configuration;
    for (JoinedInput &input : restoring.inputs) {
        if (!input.has(Layers))
            continue;
        configuration.add(input);
        input.restored |= Layers | (input.carried & HiddenLayers);
    }
    if (configuration.expectedOn.empty())
        return;
    restoring.result.getRoot().replaceKey("/OCProperties",
                                          restoring.result.makeIndirectObject(configuration.properties()));
    restoring.changed = true;
    restoring.promise([expected = configuration.expectedOn](QPDF &mended, const std::vector<QPDFObjectHandle> &) {
        QPDFObjectHandle properties = mended.getRoot().getKey("/OCProperties");
        QPDFObjectHandle groups = valueAt(properties, {"/OCGs"});
        if (!groups.isArray() || size_t(groups.getArrayNItems()) != expected.size())
            return false;
        for (size_t i = 0; i < expected.size(); ++i) {
            if (isOn(properties.getKey("/D"), groups.getArrayItem(int(i))) != expected[i])
                return false;
        }
        return true;
    });
}

} // namespace corvanta
