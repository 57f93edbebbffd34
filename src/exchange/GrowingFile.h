#pragma once

#include <QtGlobal>
#include <condition_variable>
#include <mutex>

// A file that one thread writes while another reads it: the writer says how far it has
// come and when it stops; the reader waits for the bytes it wants. The import reads the
// archive's data file this way while it is being unpacked.
class GrowingFile
{
public:
    // The writer: bytes written so far.
    void Grow(qint64 written);
    // The writer: nothing more comes (whole or not).
    void End();
    // The reader: waits until at least bytes are written, or the writing has ended, and
    // returns how many are written.
    qint64 WaitFor(qint64 bytes) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    qint64 m_written = 0;
    bool m_ended = false;
};
