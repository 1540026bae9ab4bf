#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace qzc::fuzz {

class RadioRig;

/// One input of a seed corpus and the name of its file.
struct Seed {
    QString name;
    QByteArray bytes;
};

/// Radio inputs of every request in its valid forms, as terminals of the rig's event send
/// them (the logged-in terminal at A1 with the pairs and boards of its movement), the base
/// station's own messages, and framing cases: a bad checksum, garbage before a frame, two
/// frames in one read, a frame in several reads. Each starts with its SessionByte. The
/// names start with the request code.
std::vector<Seed> radioSeeds(RadioRig& rig);

/// Text inputs of every parser of textParsers(), in forms the program meets.
std::vector<Seed> textSeeds();

/// Writes each seed as a file of folder (created when missing); false when one cannot be
/// written.
bool writeSeeds(const std::vector<Seed>& seeds, const QString& folder);

} // namespace qzc::fuzz
