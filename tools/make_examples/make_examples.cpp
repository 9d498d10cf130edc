// Writes the example diagrams of examples/ through the diagram model and the
// control's own document writer, so that every file holds exactly what the
// program itself would save.
//
//   make_examples <output folder>
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "control/default_font.h"
#include "control/graph_control.h"
#include "model/graph_axe.h"
#include "model/points_serie.h"
#include "model/surface_serie.h"

namespace {

// One field of a classification: its name, its fill (0xRRGGBB) and its
// outline as compositions (A, B, C) in percent.
struct TField {
  const char* Name;
  uint32_t Rgb;
  std::vector<TTernaryPoint> Outline;
};

// Soil texture classes of the USDA (Soil Survey Manual, USDA NRCS), with
// A = sand, B = silt, C = clay. The outlines follow the class limits on
// sand, silt and clay percentages; neighbouring fields share their vertices.
const std::vector<TField> kSoilTextureClasses = {
    {"Sand", 0xF6E8A6, {{100, 0, 0}, {85, 15, 0}, {90, 0, 10}}},
    {"Loamy sand", 0xF2CF8B, {{85, 15, 0}, {70, 30, 0}, {85, 0, 15}, {90, 0, 10}}},
    {"Sandy loam",
     0xE9B07A,
     {{70, 30, 0}, {50, 50, 0}, {43, 50, 7}, {52, 41, 7}, {52, 28, 20}, {80, 0, 20}, {85, 0, 15}}},
    {"Loam", 0xC9D88F, {{43, 50, 7}, {52, 41, 7}, {52, 28, 20}, {45, 28, 27}, {23, 50, 27}}},
    {"Silt loam",
     0xA7D7B0,
     {{50, 50, 0}, {20, 80, 0}, {8, 80, 12}, {0, 88, 12}, {0, 73, 27}, {23, 50, 27}, {43, 50, 7}}},
    {"Silt", 0x8CCBD3, {{20, 80, 0}, {0, 100, 0}, {0, 88, 12}, {8, 80, 12}}},
    {"Sandy clay loam", 0xE79A86, {{80, 0, 20}, {52, 28, 20}, {45, 28, 27}, {45, 20, 35}, {65, 0, 35}}},
    {"Clay loam", 0xC7A6CF, {{45, 28, 27}, {20, 53, 27}, {20, 40, 40}, {45, 15, 40}, {45, 20, 35}}},
    {"Silty clay loam", 0x93B5DE, {{20, 53, 27}, {0, 73, 27}, {0, 60, 40}, {20, 40, 40}}},
    {"Sandy clay", 0xD9777A, {{65, 0, 35}, {45, 20, 35}, {45, 15, 40}, {45, 0, 55}}},
    {"Silty clay", 0x7F96CC, {{20, 40, 40}, {0, 60, 40}, {0, 40, 60}}},
    {"Clay", 0xB08AB8, {{45, 15, 40}, {20, 40, 40}, {0, 40, 60}, {0, 0, 100}, {45, 0, 55}}},
};

// Folk's (1974) classification of sandstones, with A = feldspar (F),
// B = rock fragments (L), C = quartz (Q): the 95 % and 75 % quartz lines and
// the F:L ratios 3:1, 1:1 and 1:3.
const std::vector<TField> kSandstoneClasses = {
    {"Quartzarenite", 0xFFF3B0, {{5, 0, 95}, {0, 5, 95}, {0, 0, 100}}},
    {"Subarkose", 0xF7B267, {{25, 0, 75}, {12.5, 12.5, 75}, {2.5, 2.5, 95}, {5, 0, 95}}},
    {"Sublitharenite", 0x9BC1BC, {{12.5, 12.5, 75}, {0, 25, 75}, {0, 5, 95}, {2.5, 2.5, 95}}},
    {"Arkose", 0xF25C54, {{100, 0, 0}, {75, 25, 0}, {18.75, 6.25, 75}, {25, 0, 75}}},
    {"Lithic arkose", 0xF4845F, {{75, 25, 0}, {50, 50, 0}, {12.5, 12.5, 75}, {18.75, 6.25, 75}}},
    {"Feldspathic litharenite", 0x7CB5A3, {{50, 50, 0}, {25, 75, 0}, {6.25, 18.75, 75}, {12.5, 12.5, 75}}},
    {"Litharenite", 0x5D8AA8, {{25, 75, 0}, {0, 100, 0}, {0, 25, 75}, {6.25, 18.75, 75}}},
};

// Soil samples over the texture triangle: illustrative compositions (sand,
// silt, clay in percent), not measurements.
const std::vector<TTernaryPoint> kSoilSamples = {
    {88, 7, 5},   {78, 14, 8},  {65, 22, 13}, {60, 25, 15}, {48, 35, 17}, {40, 40, 20},
    {35, 45, 20}, {30, 38, 32}, {22, 50, 28}, {15, 62, 23}, {10, 70, 20}, {8, 55, 37},
    {5, 45, 50},  {18, 30, 52}, {28, 22, 50}, {55, 12, 33}, {70, 8, 22},  {25, 65, 10},
};

TTernaryPoint Fraction(const TTernaryPoint& percent) { return {percent.A / 100, percent.B / 100, percent.C / 100}; }

uint32_t Opaque(uint32_t rgb) { return 0xFF000000 | rgb; }

void SetFont(TGraphFont& font, float size, TGraphFontStyles styles = 0, uint32_t argb = 0xFF202020) {
  font.SetName(QStringLiteral("Arial"));
  font.SetSize(size);
  font.SetStyles(styles);
  font.SetColor(argb);
}

void SetLabel(TControlLabel& label, const QString& caption, int height, float size, TGraphFontStyles styles) {
  label.SetCaption(caption);
  label.SetHeight(height);
  label.SetVisible(true);
  SetFont(label.Font(), size, styles);
}

// Titles each axis by the component it measures: the left axis C, the right
// B, the bottom A.
void SetAxes(TGraph& graph, const QString& a, const QString& b, const QString& c) {
  const QString titles[3] = {c, b, a};
  for (int position = apLeft; position <= apBottom; ++position) {
    TGraphAxe& axe = graph.GetAxe(position);
    axe.TextLabel().SetText(titles[position]);
    SetFont(axe.TextLabel().Font(), 11, FontStyleBit(fsBold));
    SetFont(axe.Ticks().Font(), 8, 0, 0xFF404040);
    axe.GridLines().Style().SetColor(0xFFC8C8C8);
  }
}

void AddFields(TGraph& graph, const std::vector<TField>& fields, uint8_t alpha, uint32_t outline) {
  for (const TField& field : fields) {
    auto serie = std::make_unique<TSurfaceSerie>();
    serie->SetName(QString::fromUtf8(field.Name));
    serie->SetFillColor(Opaque(field.Rgb));
    serie->SetAlphaBlending(alpha);
    serie->LineStyle().SetColor(outline);
    serie->LineStyle().SetWidth(1.5f);
    serie->PointStyle().SetVisible(false);
    for (const TTernaryPoint& vertex : field.Outline) serie->Items().Add(Fraction(vertex));
    graph.AddSerie(std::move(serie));
  }
}

void AddSamples(TGraph& graph, const QString& name, const std::vector<TTernaryPoint>& samples) {
  auto serie = std::make_unique<TPointsSerie>();
  serie->SetName(name);
  serie->LineStyle().SetVisible(false);
  TPointStyle& marker = serie->PointStyle();
  marker.SetDotType(dtFilledDot);
  marker.SetSize(9);
  marker.SetFillColor(0xFFB2182B);
  marker.SetLineColor(0xFF3A0A10);
  for (const TTernaryPoint& sample : samples) serie->Items().Add(Fraction(sample));
  graph.AddSerie(std::move(serie));
}

struct TExample {
  const char* FileName;
  void (*Build)(TGraphControl&);
};

void BuildSoilTexture(TGraphControl& control) {
  SetLabel(control.MainHeader(), QStringLiteral("Soil texture classes (USDA)"), 34, 14, FontStyleBit(fsBold));
  SetLabel(control.MainFooter(), QStringLiteral("After the Soil Survey Manual, USDA NRCS"), 22, 8,
           FontStyleBit(fsItalic));
  SetAxes(control.Graph(), QStringLiteral("Sand"), QStringLiteral("Silt"), QStringLiteral("Clay"));
  AddFields(control.Graph(), kSoilTextureClasses, 190, 0xFF5A4A3A);
}

void BuildSandstones(TGraphControl& control) {
  SetLabel(control.MainHeader(), QStringLiteral("Sandstone classes (Folk, 1974)"), 34, 14, FontStyleBit(fsBold));
  SetLabel(control.MainFooter(), QStringLiteral("Q quartz, F feldspar, L rock fragments"), 22, 8,
           FontStyleBit(fsItalic));
  SetAxes(control.Graph(), QStringLiteral("F"), QStringLiteral("L"), QStringLiteral("Q"));
  AddFields(control.Graph(), kSandstoneClasses, 170, 0xFF303030);
}

void BuildSoilSamples(TGraphControl& control) {
  SetLabel(control.MainHeader(), QStringLiteral("Soil samples by texture class"), 34, 14, FontStyleBit(fsBold));
  SetLabel(control.MainFooter(), QStringLiteral("Illustrative sample compositions, not measurements"), 22, 8,
           FontStyleBit(fsItalic));
  SetAxes(control.Graph(), QStringLiteral("Sand"), QStringLiteral("Silt"), QStringLiteral("Clay"));
  AddFields(control.Graph(), kSoilTextureClasses, 90, 0xFF9A8A7A);
  AddSamples(control.Graph(), QStringLiteral("Samples"), kSoilSamples);
}

const TExample kExamples[] = {
    {"soil_texture.xml", BuildSoilTexture},
    {"sandstone_classification.xml", BuildSandstones},
    {"soil_samples.xml", BuildSoilSamples},
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_examples <output folder>\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  try {
    for (const TExample& example : kExamples) {
      TGraphControl control;
      control::ApplyDefaultFont(control);
      example.Build(control);
      control.SaveToFile(folder.filePath(QString::fromUtf8(example.FileName)));
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_examples: %s\n", error.what());
    return 1;
  }
  return 0;
}
