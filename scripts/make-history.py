#!/usr/bin/env python3
"""Writes a made-up connection history into an application folder, for the graph's benchmark and
screenshot: historique.csv with a few connections a day over the given number of months up to now,
and, unless told otherwise, a config.ini with a plan whose month counter agrees with the history.

    scripts/make-history.py FOLDER [--months N] [--per-day N] [--hours-per-day H] [--no-plan] [--seed S]
"""
import argparse
import datetime as dt
import os
import random
import struct

HEADER = "debut;fin;secondes;octets_recus;octets_envoyes\n"


def record(number, key, value):
    """One config.ini record: number (16-bit little-endian), key (30 bytes), value (60 bytes)."""
    return (struct.pack("<h", number) + key.encode("cp1252").ljust(30, b" ")
            + value.encode("cp1252").ljust(60, b" "))


def last_reset_day(today):
    """With the month starting again after day 1: the latest 1st of a month before today."""
    if today.day > 1:
        return today.replace(day=1)
    previous = today - dt.timedelta(days=1)
    return previous.replace(day=1)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--months", type=int, default=36)
    parser.add_argument("--no-plan", action="store_true")
    parser.add_argument("--per-day", type=float, default=2, help="average connections a day")
    parser.add_argument("--hours-per-day", type=float, default=1.2, help="average connected time a day")
    parser.add_argument("--seed", type=int, default=16)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    now = dt.datetime.now().replace(microsecond=0)
    day = (now - dt.timedelta(days=round(args.months * 30.44))).replace(hour=0, minute=0, second=0)
    date_raz = last_reset_day(now.date())
    period_seconds = 0
    lines = [HEADER]
    while day < now:
        # Some days without a connection, others with several, now and then past midnight.
        for _ in range(rng.randint(0, round(2 * args.per_day))):
            start = day + dt.timedelta(seconds=rng.randrange(7 * 3600, 24 * 3600))
            length = int(rng.expovariate(args.per_day / (args.hours_per_day * 3600)))
            length = max(60, min(length, 5 * 3600))
            end = start + dt.timedelta(seconds=length + rng.randrange(0, 3))
            if end > now:
                continue
            received = length * rng.randrange(2000, 6000)
            sent = received // rng.randrange(8, 20)
            lines.append(f"{start.isoformat()};{end.isoformat()};{length};{received};{sent}\n")
            if start.date() > date_raz:
                period_seconds += length
        day += dt.timedelta(days=1)
    lines.sort(key=lambda l: l[:19] if l != HEADER else "")

    os.makedirs(args.folder, exist_ok=True)
    with open(os.path.join(args.folder, "historique.csv"), "w", encoding="utf-8", newline="\n") as f:
        f.writelines(lines)
    settings = [
        ("forfait", "Faux" if args.no_plan else "Vrai"),
        ("cpt_mois", str(period_seconds)),
        ("cpt_limite", str(40 * 3600)),
        ("j_raz", "1"),
        ("date_raz", date_raz.strftime("%d/%m/%Y")),
    ]
    with open(os.path.join(args.folder, "config.ini"), "wb") as f:
        for n, (key, value) in enumerate(settings, 1):
            f.write(record(n, key, value))
    print(f"{len(lines) - 1} connections, {period_seconds} s in the current period")


if __name__ == "__main__":
    main()
