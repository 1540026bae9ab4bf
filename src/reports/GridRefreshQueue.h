#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace qzc {

/// The play grid's queue of round columns to refresh, kept as the text of tokens "[" round
/// "]" in the order they came. The request dispatcher appends the round of every stored
/// result; the result editors append their round and every earlier one, each only once;
/// the grid's refresh timer takes one round per tick, so a burst of results for one round
/// costs one refresh.
class GridRefreshQueue {
public:
    /// Appends the round's token, even when it is queued already.
    void append(qint16 round);
    /// Appends the round's token unless it is queued already.
    void appendOnce(qint16 round);
    /// appendOnce for round, round - 1, ... 1.
    void appendDownFrom(qint16 round);

    /// Removes the first queued token and every other occurrence of it. The round it named
    /// (0 for a token that is no round number); nothing when the queue is empty.
    std::optional<qint16> takeNext();

    bool isEmpty() const { return tag_.isEmpty(); }
    /// The queue as the grid's tag holds it, as "[2][3]".
    const QString& text() const { return tag_; }
    void clear() { tag_.clear(); }
    /// Replaces the queue with a tag's text (the request dispatcher writes the tag whole).
    void setText(const QString& tag) { tag_ = tag; }

    static QString token(qint16 round);

private:
    QString tag_;
};

} // namespace qzc
