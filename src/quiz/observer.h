// A model tells its views what changed: views subscribe with a callback and
// hold the subscription, which ends the link when the view goes.
#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

template <typename Message>
class Publisher
{
    struct Entry
    {
        unsigned long key;
        std::function<void(const Message&)> call;
    };
    using Entries = std::vector<Entry>;

public:
    // Move-only; ends the link when destroyed or reset, even after the
    // publisher is gone.
    class Subscription
    {
    public:
        Subscription() = default;
        Subscription(Subscription&& other) noexcept { *this = std::move(other); }
        Subscription& operator=(Subscription&& other) noexcept
        {
            if (this != &other)
            {
                Reset();
                m_entries = std::move(other.m_entries);
                m_key = std::exchange(other.m_key, 0);
            }
            return *this;
        }
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        ~Subscription() { Reset(); }

        void Reset()
        {
            if (const auto entries = m_entries.lock())
                for (auto it = entries->begin(); it != entries->end(); ++it)
                    if (it->key == m_key)
                    {
                        entries->erase(it);
                        break;
                    }
            m_entries.reset();
            m_key = 0;
        }

    private:
        friend class Publisher;
        Subscription(const std::shared_ptr<Entries>& entries, unsigned long key)
            : m_entries(entries), m_key(key)
        {
        }
        std::weak_ptr<Entries> m_entries;
        unsigned long m_key = 0;
    };

    Publisher() = default;
    Publisher(const Publisher&) = delete;
    Publisher& operator=(const Publisher&) = delete;

    [[nodiscard]] Subscription Subscribe(std::function<void(const Message&)> call)
    {
        m_entries->push_back(Entry{++m_lastKey, std::move(call)});
        return Subscription(m_entries, m_lastKey);
    }

protected:
    ~Publisher() = default;

    // Calls every subscriber in the order they came. One that ends its own
    // or another's subscription meanwhile is handled: a subscriber gone
    // before its turn is not called.
    void Publish(const Message& message)
    {
        std::vector<unsigned long> keys;
        keys.reserve(m_entries->size());
        for (const Entry& entry : *m_entries)
            keys.push_back(entry.key);
        for (const unsigned long key : keys)
            for (const Entry& entry : *m_entries)
                if (entry.key == key)
                {
                    const auto call = entry.call;  // the entry may go while it runs
                    call(message);
                    break;
                }
    }

private:
    std::shared_ptr<Entries> m_entries = std::make_shared<Entries>();
    unsigned long m_lastKey = 0;
};
