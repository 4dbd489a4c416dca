#!/usr/bin/env python3
"""web_timing.py: how fast the browser build starts and how idle it is while it waits.

Prints, after the page started loading, when the main window's caption is drawn and when the
splash has gone (the board's field shows), then the page's share of one CPU over two idle
seconds. Reuses the browser test's page driver.
Usage: web_timing.py PAGE_DIR PILO_E2E_LAYOUT (build/web from scripts/build-web; the layout tool
from the default build's tests/e2e)"""
import os, sys, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '../../tests/web'))
import web_test


def measure(tools):
    _, places = web_test.layout(sys.argv[2])

    def shown_at(place):  # page time at which a point first shows its colour
        return tools.js('''new Promise(done => { const c = document.getElementById('screen');
            const poll = () => { const d = c.getContext('2d').getImageData(%s, %s, 1, 1).data;
                if (((d[0] << 16) | (d[1] << 8) | d[2]) === 0x%s) done(performance.now());
                else setTimeout(poll, 5); };
            poll(); })''' % tuple(places[place]))
    print('after the page started loading: main window drawn %.0f ms, splash gone %.0f ms' %
          (shown_at('caption'), shown_at('boardfield')))

    def task_seconds():
        metrics = tools.call('Performance.getMetrics')['metrics']
        return next(m['value'] for m in metrics if m['name'] == 'TaskDuration')
    before = task_seconds()
    time.sleep(2)
    print('idle CPU of the page: %.1f %%' % ((task_seconds() - before) / 2 * 100))


if __name__ == '__main__':
    web_test.open_page(sys.argv[1], measure)
