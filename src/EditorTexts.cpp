#include "EditorTexts.h"

#include <cctype>

namespace zk {

namespace {

std::string CellText(Language language, Cell cell) {
    return Tr(language, "Spalte ", "column ") + std::to_string(cell.column + 1) +
           Tr(language, ", Reihe ", ", row ") + std::to_string(cell.row + 1);
}

// The three kinds as the rules name them, in the plural.
std::string KindText(Language language, EdgeCode code) {
    switch (code) {
    case 1:
        return Tr(language, "die blauen Rohre", "the blue pipes");
    case 2:
        return Tr(language, "die roten Doppelschienen", "the red twin rails");
    default:
        return Tr(language, "die goldenen Bänder", "the golden bands");
    }
}

// The deducer's rules as the designer reads them.
std::string RuleText(Language language, Rule rule) {
    switch (rule) {
    case Rule::Edge:
        return Tr(language, "Rand", "edge");
    case Rule::Single:
        return Tr(language, "einziger Platz", "single");
    case Rule::Neighbour:
        return Tr(language, "Nachbar", "neighbour");
    case Rule::Count:
        return Tr(language, "Zählen", "count");
    case Rule::Parity:
        return Tr(language, "Parität", "parity");
    case Rule::Pairs:
        return Tr(language, "Paare", "pairs");
    case Rule::WhatIf:
        return Tr(language, "Was wäre wenn", "what if");
    case Rule::None:
        break;
    }
    return {};
}

std::string ReasonText(Language language, const LevelFlaw& reason) {
    const Cell cell = reason.cell.value_or(Cell{});
    switch (reason.kind) {
    case FlawKind::NothingToHold:
        return Tr(language, "Nicht spielbar: kein beweglicher Stein mit Verbindung zum Halten",
                  "Unplayable: no movable tile with a connection to hold");
    case FlawKind::EndOffBoard:
        return Tr(language, "Unlösbar: ein Ende des Steins in ",
                  "Unsolvable: an end of the tile in ") +
               CellText(language, cell) +
               Tr(language, " führt über den Rand", " leads off the board");
    case FlawKind::EndIntoFixed:
        return Tr(language, "Unlösbar: der Stein in ", "Unsolvable: the tile in ") +
               CellText(language, cell) +
               Tr(language, " trifft festen Stein ohne Gegenstück",
                  " meets a fixed tile without its twin");
    case FlawKind::EndUnanswered:
        return Tr(language, "Unlösbar: kein beweglicher Stein passt zum Ende des Steins in ",
                  "Unsolvable: no movable tile answers the end of the tile in ") +
               CellText(language, cell);
    case FlawKind::CellFitsNoTile:
        return Tr(language, "Unlösbar: kein beweglicher Stein passt in ",
                  "Unsolvable: no movable tile fits ") +
               CellText(language, cell);
    case FlawKind::TileFitsNoCell:
        return Tr(language, "Unlösbar: der Stein in ", "Unsolvable: the tile in ") +
               CellText(language, cell) + Tr(language, " passt in keine Zelle", " fits no cell");
    case FlawKind::RulesContradict:
        if (reason.cell) {
            return Tr(language, "Unlösbar: die Regeln lassen keinen Stein für ",
                      "Unsolvable: the rules leave no tile for ") +
                   CellText(language, cell);
        }
        return Tr(language, "Unlösbar: die Regeln schließen jede Anordnung aus",
                  "Unsolvable: the rules rule out every arrangement");
    case FlawKind::EndsUnpaired:
        return Tr(language, "Unlösbar: ", "Unsolvable: ") + KindText(language, reason.code) +
               (reason.side == East ? Tr(language, " haben ungleich viele Enden nach Ost und West",
                                         " have unequal numbers of ends facing east and west")
                                    : Tr(language, " haben ungleich viele Enden nach Nord und Süd",
                                         " have unequal numbers of ends facing north and south"));
    }
    return {};
}

} // namespace

std::string CheckVerdictText(Language language, const EditorVerdict& verdict) {
    if (verdict.reason) {
        return ReasonText(language, *verdict.reason);
    }
    switch (verdict.status) {
    case Solvability::Unsolvable:
        return Tr(language, "Unlösbar: keine Anordnung der Steine löst die Stufe",
                  "Unsolvable: no arrangement of the tiles solves the level");
    case Solvability::Undecided:
        return Tr(language, "Unbekannt: die Suche brauchte zu lange",
                  "Not known: the search took too long");
    case Solvability::Solvable:
        break;
    }
    std::string text = Tr(language, "Lösbar", "Solvable");
    switch (verdict.solutions) {
    case 1:
        text += Tr(language, " · eine einzige Lösung", " · single solution");
        break;
    case 2:
        text += Tr(language, " · 2 oder mehr Lösungen", " · 2 or more solutions");
        break;
    default:
        text += Tr(language, " · weitere Lösungen nicht ausgeschlossen",
                   " · more solutions not ruled out");
        break;
    }
    if (verdict.hardest != Rule::None) {
        text += Tr(language, " · schwerste Regel: ", " · hardest rule: ") +
                RuleText(language, verdict.hardest);
    } else if (verdict.solutions == 1) {
        text += Tr(language, " · nicht allein durch Regeln", " · not by the rules alone");
    }
    return text;
}

std::string PasteRefusedText(Language language, const files::LevelTextError& error) {
    std::string text;
    switch (error.problem) {
    case files::LevelTextProblem::NotALevel:
        text = Tr(language,
                  "Die Zwischenablage enthält keine Stufe. Eine Stufenzeile, wie Strg+C sie "
                  "kopiert, beginnt mit ",
                  "The clipboard holds no level. A level line, as Ctrl+C copies it, begins "
                  "with ");
        text += files::LevelTextPrefix;
        text += '.';
        break;
    case files::LevelTextProblem::OtherVersion:
        text = Tr(language, "Diese Stufenzeile (", "This level line (") + error.version +
               Tr(language,
                  ") stammt von einer anderen Version von Zanfor Kelva und kann nicht gelesen "
                  "werden.",
                  ") comes from another version of Zanfor Kelva and cannot be read.");
        break;
    case files::LevelTextProblem::BadCharacter: {
        const auto c = static_cast<unsigned char>(error.character);
        const std::string shown = c < 0x80 && std::isprint(c)
                                      ? Tr(language, "„", "\"") + std::string(1, error.character) +
                                            Tr(language, "“", "\"")
                                      : Tr(language, "ein Zeichen", "a character");
        text =
            Tr(language,
               "Die Stufenzeile kann nicht gelesen werden: ", "The level line cannot be read: ") +
            shown + Tr(language, " an Stelle ", " at position ") + std::to_string(error.position) +
            Tr(language, " gehört nicht hinein.", " does not belong in it.");
        break;
    }
    case files::LevelTextProblem::Damaged:
        text = Tr(language,
                  "Die Stufenzeile ist vertippt oder unvollständig: ihr Prüfzeichen stimmt nicht.",
                  "The level line is mistyped or incomplete: its check symbol does not match.");
        break;
    }
    return text + Tr(language, " Das Brett bleibt, wie es ist.", " The board is unchanged.");
}

std::string NothingToTestPlayText(Language language) {
    return Tr(language,
              "Diese Stufe kann nicht gespielt werden: Sie hat keinen beweglichen Stein mit "
              "Verbindung zum Halten (Steine 1 bis 89).",
              "This level cannot be played: it has no movable tile with a connection to hold "
              "(tiles 1 to 89).");
}

std::string TestPlayCaptionText(Language language) {
    return std::string("Zanfor Kelva V2.0 - Editor - ") + Tr(language, "Probespiel", "Test play");
}

} // namespace zk
