// Collections of the model: read from the server on first use and on
// Refresh, found by position from 1, by "owner.name" or by bare name.
// Objects of one name under two owners stay two entries.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/com/Unknown.h"
#include "platform/dmo/DmoInterfaces.h"
#include "platform/dmo/ServerLink.h"
#include "platform/dmo/SqlQuoting.h"

namespace tw::dmo {

struct NameEntry {
    std::string name;
    std::string owner;
};

// The position (from 0) of the entry a name text picks, or -1. A separate
// owner narrows the name to it. Otherwise the whole text is tried as a name
// first (names may hold a full stop), then as "owner.name"; a bare name
// held by several owners picks the dbo's, else the first.
long FindNameEntry(const std::vector<NameEntry>& entries, const std::string& text, const std::string& owner);

// Text of a variant argument; empty when missing.
std::string ArgumentText(const _variant_t& value);
bool IsMissingArgument(const _variant_t& value);

// Read once and kept until Refresh, or until the model itself adds or
// removes an object over the same link; changes made by running T-SQL are
// seen after Refresh, as SQL-DMO's own collections behave.
template <class CollectionInterface>
class CollectionObject : public tw::ComObject<CollectionInterface> {
public:
    using ItemPtr = typename CollectionInterface::ItemPtr;
    using Loader = std::function<std::vector<ItemPtr>()>;

    CollectionObject(std::string kindName, Loader loader, ServerLinkRef link = {})
        : m_kindName(std::move(kindName)), m_loader(std::move(loader)), m_link(std::move(link))
    {
    }

    long GetCount() override
    {
        Load();
        return static_cast<long>(m_items.size());
    }

    ItemPtr Item(const _variant_t& index, const _variant_t& owner) override
    {
        Load();
        if (index.vt == VT_I2 || index.vt == VT_I4 || index.vt == VT_UI1 || index.vt == VT_I8 || index.vt == VT_INT)
            return ItemAt(static_cast<long>(_variant_t(index)));
        const std::string text = ArgumentText(index);
        const long found = FindNameEntry(m_names, text, ArgumentText(owner));
        if (found < 0)
            RaiseDmoError(kDmoNameNotFound,
                          "The name '" + text + "' was not found in the " + m_kindName + " collection.");
        return m_items[static_cast<size_t>(found)];
    }

    void Refresh(VARIANT_BOOL) override
    {
        m_loaded = false;
        Load();
    }

private:
    ItemPtr ItemAt(long position)
    {
        if (position < 1 || position > static_cast<long>(m_items.size()))
            RaiseDmoError(kDmoIndexOutOfRange, "The " + m_kindName + " collection has no item " +
                                                   std::to_string(position) + ".");
        return m_items[static_cast<size_t>(position - 1)];
    }

    void Load()
    {
        if (m_loaded && (!m_link || m_link->Changes() == m_changesSeen))
            return;
        if (m_link)
            m_changesSeen = m_link->Changes();
        std::vector<ItemPtr> items = m_loader();
        std::vector<NameEntry> names;
        for (const ItemPtr& item : items)
            names.push_back({static_cast<const char*>(item->GetName()), OwnerOf(item)});
        m_items = std::move(items);
        m_names = std::move(names);
        m_loaded = true;
    }

    template <class Ptr>
    static std::string OwnerOf(const Ptr& item)
    {
        if constexpr (requires { item->GetOwner(); })
            return static_cast<const char*>(item->GetOwner());
        else
            return {};
    }

    std::string m_kindName;
    Loader m_loader;
    ServerLinkRef m_link;
    unsigned m_changesSeen = 0;
    bool m_loaded = false;
    std::vector<ItemPtr> m_items;
    std::vector<NameEntry> m_names;
};

} // namespace tw::dmo
