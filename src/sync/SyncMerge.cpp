#include "sync/SyncMerge.h"

SyncMerge::SyncMerge(const QHash<QString, SyncedNote>& local, const QHash<QString, Tombstone>& tombstones)
    : m_local(local)
    , m_tombstones(tombstones)
{
}

SyncMerge::Slot& SyncMerge::Touch(const QString& guid)
{
    auto found = m_slots.find(guid);
    if (found != m_slots.end())
        return *found;
    Slot slot;
    const auto local = m_local.constFind(guid);
    if (local != m_local.cend()) {
        slot.holder = Holder::Local;
        slot.version = local->version;
        slot.localId = local->id;
    }
    m_order.append(guid);
    return *m_slots.insert(guid, slot);
}

void SyncMerge::OfferNote(const QString& guid, const NoteVersion& version, EntryRef entry)
{
    Slot& slot = Touch(guid);
    switch (slot.holder) {
    case Holder::None: {
        const auto tomb = m_tombstones.constFind(guid);
        if (tomb != m_tombstones.cend() && tomb->Buries(version))
            return;
        break;
    }
    case Holder::Copy:
        // The same copy made on another machine, unless edited there since.
        if (version.history.isEmpty())
            return;
        break;
    case Holder::Local:
    case Holder::Incoming:
        if (slot.version.Knows(version.fingerprint))
            return;
        if (!version.Knows(slot.version.fingerprint)) {
            Conflict(guid, slot, version, entry);
            return;
        }
        break;
    }
    slot.holder = Holder::Incoming;
    slot.version = version;
    slot.incoming = entry;
}

void SyncMerge::Conflict(const QString& guid, Slot& slot, const NoteVersion& version, EntryRef entry)
{
    if (WinsOver(version, slot.version)) {
        PlanCopy(guid, slot, slot.version);
        const QByteArray lost = slot.version.fingerprint;
        slot.holder = Holder::Incoming;
        slot.version = version;
        slot.version.Absorb(lost);
        slot.incoming = entry;
    } else {
        PlanCopy(guid, entry, version);
        slot.version.Absorb(version.fingerprint);
    }
}

void SyncMerge::PlanCopy(const QString& guid, const Slot& loser, const NoteVersion& version)
{
    ConflictCopyOrder order;
    if (loser.holder == Holder::Local)
        order.localId = loser.localId;
    else
        order.incoming = loser.incoming;
    AddCopy(guid, order, version);
}

void SyncMerge::PlanCopy(const QString& guid, EntryRef entry, const NoteVersion& version)
{
    ConflictCopyOrder order;
    order.incoming = entry;
    AddCopy(guid, order, version);
}

void SyncMerge::AddCopy(const QString& guid, ConflictCopyOrder order, const NoteVersion& version)
{
    order.copyGuid = ConflictCopyGuid(guid, version.fingerprint);
    order.originalGuid = guid;
    order.fingerprint = version.fingerprint;
    Slot& copy = Touch(order.copyGuid);
    if (copy.holder != Holder::None)
        return; // made before, here or elsewhere
    NoteVersion copyVersion;
    copyVersion.lastEdited = version.lastEdited;
    const auto tomb = m_tombstones.constFind(order.copyGuid);
    if (tomb != m_tombstones.cend() && tomb->Buries(copyVersion))
        return; // made before and deleted since
    copy.holder = Holder::Copy;
    copy.version = copyVersion;
    copy.copy = std::move(order);
}

void SyncMerge::OfferDeletion(const Tombstone& tomb)
{
    auto known = m_tombstones.find(tomb.guid);
    if (known == m_tombstones.end())
        known = m_tombstones.insert(tomb.guid, tomb);
    else
        known->Merge(tomb);
    Slot& slot = Touch(tomb.guid);
    if (slot.holder != Holder::None && tomb.Buries(slot.version))
        slot.holder = Holder::None;
}

SyncMerge::Outcome SyncMerge::Result() const
{
    Outcome outcome;
    outcome.tombstones = m_tombstones;
    for (const QString& guid : m_order) {
        const Slot& slot = m_slots.value(guid);
        switch (slot.holder) {
        case Holder::None:
            if (slot.localId > 0)
                outcome.deleteIds.append(slot.localId);
            continue;
        case Holder::Incoming:
            outcome.take.append({guid, slot.incoming, slot.localId});
            break;
        case Holder::Copy:
            outcome.copies.append(slot.copy);
            continue;
        case Holder::Local:
            break;
        }
        outcome.versions.insert(guid, slot.version);
    }
    return outcome;
}
