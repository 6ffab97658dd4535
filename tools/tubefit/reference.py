"""The figures the tables must reproduce: per family and slice the scale factor (the
slice's value at g = 1), and for slices 0 and 9 of every family the built table's value at
five grid entries. They are kept as the decimal strings they are published as, so that the
scale factors can be written back unchanged."""

FAMILIES = "ABCD"
SLICES = 10
GRID_POINTS = 44100           # entries j = 0..44099 (plus a guard entry not fitted here)
LAST_ENTRY = GRID_POINTS - 1
DEGREE = 20

SCALE_TEXT = {
    "A": ["0.000278055319", "0.000271188677", "0.000264858158", "0.00025875913",
          "0.000252731959", "0.000246702199", "0.000240636058", "0.000234518448",
          "0.000228343124", "0.000222108167"],
    "B": ["0.00104789739", "0.00134037924", "0.00161002646", "0.00186981144",
          "0.00212653773", "0.00238337298", "0.00264175795", "0.00290233595",
          "0.00316537195", "0.00343094743"],
    "C": ["0.000126928484", "0.00011542147", "0.000104183113", "9.30781898e-05",
          "8.20232963e-05", "7.09741144e-05", "5.99100531e-05", "4.88261066e-05",
          "3.77327633e-05", "2.66688021e-05"],
    "D": ["0.000540535722", "0.000656726887", "0.000770205457", "0.000882337044",
          "0.000993964029", "0.00110553484", "0.00121725933", "0.00132919301",
          "0.00144124159", "0.00155304442"],
}
SCALE = {family: [float(text) for text in texts] for family, texts in SCALE_TEXT.items()}

# Grid entries of the published table values, and the values for slices 0 and 9.
TELLING_ENTRIES = [0, 11025, 22050, 33074, 44099]
TELLING_VALUES = {
    ("A", 0): [-5.51562e-08, 1.80673e-05, 0.000104392, 0.000191085, 0.000278004],
    ("A", 9): [-6.7782e-08, 1.60972e-07, 5.35141e-05, 0.000138009, 0.00022204],
    ("B", 0): [5.11669e-07, 0.000525265, 0.000710679, 0.00088399, 0.00105148],
    ("B", 9): [1.25645e-06, 0.00169466, 0.00287586, 0.00314689, 0.00343472],
    ("C", 0): [-1.54942e-08, 1.4437e-05, 5.13208e-05, 8.89061e-05, 0.000126928],
    ("C", 9): [8.13867e-09, 1.42171e-08, -2.20535e-08, -9.77223e-08, 2.66704e-05],
    ("D", 0): [0.000222908, 0.000462082, 0.000494169, 0.000519518, 0.000540585],
    ("D", 9): [0.000308471, 0.000675225, 0.00104906, 0.00142596, 0.00155297],
}

# The tables' axes as the circuit's predicted voltages: grid voltage = offset + span * g,
# plate voltage = offset + span * a, with g = j / 44099 and a = k / 9.
TRIODES = {
    1: {"families": ("A", "B"), "grid": (-4.0, 24.0), "plate": (50.0, 150.0)},
    2: {"families": ("C", "D"), "grid": (5.0, 40.0), "plate": (100.0, 200.0)},
}


def grid_voltage(triode, g):
    offset, span = TRIODES[triode]["grid"]
    return offset + span * g


def plate_voltage(triode, slice_index):
    offset, span = TRIODES[triode]["plate"]
    return offset + span * (slice_index / (SLICES - 1))
