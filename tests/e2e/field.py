"""Where the frequency field puts things, worked out independently from the program's rules:
the logarithmic frequency axis and the two level laws, with A-weighting, in whole pixels."""
import math


def truncate(value):
    if not math.isfinite(value) or value <= -2147483649.0 or value >= 2147483648.0:
        return -2147483648
    return int(value)


def hz_to_x(frequency, width):
    if frequency <= 0:
        return -2147483648
    return truncate((math.log(frequency / 100.0) + 1.0) * width / 6.2)


def x_to_hz(x, width, snap=True):
    f = truncate(100.0 * math.exp(6.2 * x / width - 1.0))
    if not snap:
        return f
    for above, step in ((1000, 100), (500, 50), (200, 10), (50, 5)):
        if f > above:
            half = step // 2
            return (f + half) - ((f + half) % step)
    return f


def amplitude_to_db(amplitude):
    return 20.0 * math.log10(amplitude / 32768.0) if amplitude > 0 else -math.inf


def db_to_amplitude(level):
    return 32768.0 * 10.0 ** (level / 20.0)


def a_weighting_db(frequency):
    f2 = float(frequency * frequency)
    f4 = (float(frequency) * frequency) * (float(frequency) * frequency)
    numerator = 148693636.0 * f4
    denominator = ((f2 + 423.9481) * math.sqrt(f2 + 11577.76) * math.sqrt(f2 + 544348.84)
                   * (f2 + 148693636.0))
    return 20.0 * math.log10(numerator / denominator) + 2.0


def y_to_amplitude(y, height, linear_db=True, snap_db=True):
    r = y / height
    a = 32768.0 * (math.exp(8.7 * r) / 5400.0) if linear_db else 32768.0 * r ** 3
    if snap_db:
        a = db_to_amplitude(math.floor(amplitude_to_db(a) + 0.5))
    return min(a, 32767.0)


def amplitude_to_y(amplitude, height, linear_db=True):
    if linear_db:
        if amplitude <= 0:
            return -2147483648
        t = math.log(5400.0 * amplitude / 32768.0) / 8.7
    else:
        t = (amplitude / 32768.0) ** 0.3333333333333333
    return truncate(t * height)


def display_amplitude(amplitude, frequency, a_weighting=True):
    if not a_weighting:
        return amplitude
    return truncate(db_to_amplitude(amplitude_to_db(amplitude) + a_weighting_db(frequency)))


def point_position(frequency, amplitude, width, height, a_weighting=True, linear_db=True):
    """Where a stored point is drawn, in graph pixels."""
    return (hz_to_x(frequency, width),
            amplitude_to_y(display_amplitude(amplitude, frequency, a_weighting), height,
                           linear_db))


def played_amplitude(row, height, frequency, a_weighting=True):
    """The tone's amplitude for a pointer on field row `row` at a fixed frequency."""
    amplitude = y_to_amplitude(row, height)
    if a_weighting and frequency > 0:
        level = amplitude_to_db(amplitude)
        amplitude = min(db_to_amplitude(level - a_weighting_db(frequency)), 32767.0)
    return amplitude


def column_for(frequency, width):
    """A field column whose snapped frequency is `frequency`: the middle of the run of such
    columns, so that a pixel either way still gives it."""
    columns = [x for x in range(width + 1) if x_to_hz(x, width) == frequency]
    if not columns:
        raise ValueError("no column plays %d Hz at width %d" % (frequency, width))
    return columns[len(columns) // 2]


def row_for(level, height):
    """The field row whose snapped level is `level` dB, nearest the middle of its rows."""
    rows = [r for r in range(4, height) if
            round(amplitude_to_db(y_to_amplitude(r, height)), 6) == level]
    if not rows:
        raise ValueError("no row has %s dB at height %d" % (level, height))
    return rows[len(rows) // 2]
