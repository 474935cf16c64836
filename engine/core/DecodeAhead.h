#pragma once

// Files decoded ahead on worker threads while the caller goes on, so that a loading step only
// takes what is ready: the loading screen's pictures and the game's sounds decode side by side
// instead of one after another. Items start in the order added, up to a budget of bytes held by
// results that are decoding or waiting to be taken (an item that does not fit waits until the
// waiting ones are taken, or is the only one); an item less than half the size of the biggest
// held waits too, so that big results, added first, are taken before the small ones pile up.

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Engine {

template <class T> class cDecodeAhead {
public:
    using tDecode = std::function<T(const std::vector<uint8_t>& bytes)>;
    // What a result of these bytes will hold, for the budget.
    using tCost = std::function<size_t(const std::vector<uint8_t>& bytes)>;

    cDecodeAhead(tDecode decode, tCost cost, size_t budget, unsigned threads)
        : m_decode(std::move(decode)), m_cost(std::move(cost)), m_budget(budget) {
        for (unsigned i = 0; i < std::max(1u, threads); ++i)
            m_workers.emplace_back([this] { work(); });
    }
    // Stops the workers; what was not taken is dropped.
    ~cDecodeAhead() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_all();
        for (std::thread& worker : m_workers)
            worker.join();
    }
    cDecodeAhead(const cDecodeAhead&) = delete;
    cDecodeAhead& operator=(const cDecodeAhead&) = delete;

    // Queues the bytes under the key; a key already queued is left as it is.
    void add(const std::string& key, std::vector<uint8_t> bytes) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_items.count(key))
                return;
            sItem& item = m_items[key];
            item.cost = m_cost ? m_cost(bytes) : 0;
            item.bytes = std::move(bytes);
            m_queue.push_back(key);
        }
        m_changed.notify_all();
    }
    bool has(const std::string& key) const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_items.count(key) != 0;
    }
    // The result for the key, waiting for it; false when the key is not queued. The decoder's
    // exception is thrown here, to the taker. With hold, the result's bytes stay counted until
    // release(key): the taker's copy (a picture uploading) still takes memory.
    bool take(const std::string& key, T& out, bool hold = false) {
        std::unique_lock<std::mutex> lock(m_mutex);
        auto found = m_items.find(key);
        if (found == m_items.end())
            return false;
        // Not started yet: decoded here rather than waited for.
        if (found->second.state == QUEUED) {
            sItem item = std::move(found->second);
            m_items.erase(found);
            for (auto it = m_queue.begin(); it != m_queue.end(); ++it)
                if (*it == key) {
                    m_queue.erase(it);
                    break;
                }
            if (hold) {
                m_held += item.cost;
                m_holding[key] = item.cost;
            }
            lock.unlock();
            out = m_decode(item.bytes);
            return true;
        }
        m_changed.wait(lock, [&] { return found->second.state == DONE; });
        sItem item = std::move(found->second);
        m_items.erase(found);
        if (hold)
            m_holding[key] = item.cost;
        else
            m_held -= item.cost;
        lock.unlock();
        m_changed.notify_all();
        if (item.error) {
            release(key);
            std::rethrow_exception(item.error);
        }
        out = std::move(item.result);
        return true;
    }
    // The bytes of a result taken with hold are no longer counted.
    void release(const std::string& key) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            auto found = m_holding.find(key);
            if (found == m_holding.end())
                return;
            m_held -= found->second;
            m_holding.erase(found);
        }
        m_changed.notify_all();
    }

private:
    enum eState { QUEUED, BUSY, DONE };
    struct sItem {
        std::vector<uint8_t> bytes;
        size_t cost = 0;
        eState state = QUEUED;
        T result{};
        std::exception_ptr error;
    };

    void work() {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_changed.wait(lock,
                           [&] { return m_stopping || (!m_queue.empty() && mayStart(m_items[m_queue.front()].cost)); });
            if (m_stopping)
                return;
            const std::string key = m_queue.front();
            m_queue.pop_front();
            sItem& item = m_items[key];
            item.state = BUSY;
            m_held += item.cost;
            std::vector<uint8_t> bytes = std::move(item.bytes);
            lock.unlock();
            T result{};
            std::exception_ptr error;
            try {
                result = m_decode(bytes);
            } catch (...) {
                error = std::current_exception();
            }
            bytes = {};
            lock.lock();
            // The item stays in the map while busy: take waits for it and never erases it.
            sItem& done = m_items[key];
            done.result = std::move(result);
            done.error = error;
            done.state = DONE;
            m_changed.notify_all();
        }
    }

    bool mayStart(size_t cost) const {
        if (m_held == 0)
            return true;
        size_t biggest = 0;
        for (const auto& item : m_items)
            if (item.second.state != QUEUED)
                biggest = std::max(biggest, item.second.cost);
        for (const auto& held : m_holding)
            biggest = std::max(biggest, held.second);
        return m_held + cost <= m_budget && cost * 2 >= biggest;
    }

    tDecode m_decode;
    tCost m_cost;
    size_t m_budget;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<std::string, sItem> m_items;
    std::deque<std::string> m_queue;
    std::map<std::string, size_t> m_holding;
    size_t m_held = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_workers;
};

} // namespace Engine
