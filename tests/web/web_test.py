#!/usr/bin/env python3
"""web_test.py: the browser build in headless Chromium, driven through the DevTools protocol.

The page's clock is fixed before the program starts; the first deal must then be the board
model's deal for that second (pilo-board) and look as the headless program draws it
(web_layout). A piece is moved, the piece-set menu is used, and Escape ends the program.
Usage: web_test.py PAGE_DIR PILO_BOARD WEB_LAYOUT"""
import base64, functools, http.server, json, os, shutil, subprocess, sys, tempfile, threading, time
import urllib.request
import websocket

SECONDS = 1000000007  # the page's calendar clock
EMPTY = '.'


def fail(why):
    print('FAIL: ' + why)
    sys.exit(1)


class DevTools:
    def __init__(self, url):
        self.ws = websocket.create_connection(url, timeout=30)
        self.next_id = 0
        self.events = []

    def call(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({'id': self.next_id, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get('id') == self.next_id:
                if 'error' in message:
                    fail('%s %s: %s' % (method, json.dumps(params), message['error']['message']))
                return message['result']
            self.events.append(message)

    def js(self, expression):
        result = self.call('Runtime.evaluate', expression=expression, awaitPromise=True,
                           returnByValue=True)
        if 'exceptionDetails' in result:
            fail('page script failed: ' + json.dumps(result['exceptionDetails']))
        return result['result'].get('value')


def model_board():
    """The model's board after the opening deal at SECONDS: rows of '.', '#' and kind digits."""
    out = subprocess.run([sys.argv[2]], input='time %d\nnewgame\nshow\n' % SECONDS,
                         capture_output=True, text=True, check=True).stdout
    return [line for line in out.splitlines() if len(line) == 13 and set(line) <= set('#.0123456789')]


def layout():
    out = subprocess.run([sys.argv[3], str(SECONDS)], capture_output=True, text=True,
                         check=True).stdout
    cells, places = {}, {}
    for line in out.splitlines():
        word = line.split()
        if word[0] == 'cell':
            cells[(int(word[1]), int(word[2]))] = ((int(word[3]), int(word[4])), word[5:])
        else:
            places[word[0] + (word[1] if word[0] == 'item' else '')] = word[2 if word[0] == 'item' else 1:]
    return cells, places


def main():
    page_dir = sys.argv[1]
    if not os.path.exists(os.path.join(page_dir, 'pilo.wasm')):
        print('SKIP: %s holds no pilo.wasm: make web builds it' % page_dir)
        sys.exit(77)
    board, (cells, places) = model_board(), layout()

    quiet = type('Quiet', (http.server.SimpleHTTPRequestHandler,), {'log_message': lambda *a: None})
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0),
                                             functools.partial(quiet, directory=page_dir))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    profile = tempfile.mkdtemp(prefix='pilo-web-')
    browser = subprocess.Popen(
        ['/usr/bin/chromium', '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic',
         '--no-first-run', '--disable-background-networking', '--disable-component-update',
         '--disable-sync', '--user-data-dir=' + profile, '--remote-debugging-port=0',
         '--window-size=800,600', 'about:blank'],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        run(board, cells, places, server.server_address[1], profile)
    finally:
        browser.kill()
        browser.wait()
        server.shutdown()
        shutil.rmtree(profile, ignore_errors=True)


def run(board, cells, places, port, profile):
    port_file = os.path.join(profile, 'DevToolsActivePort')
    for _ in range(300):
        if os.path.exists(port_file) and open(port_file).read().count('\n') >= 1:
            break
        time.sleep(0.05)
    debug_port = open(port_file).read().split()[0]
    targets = json.load(urllib.request.urlopen('http://127.0.0.1:%s/json/list' % debug_port))
    tools = DevTools([t for t in targets if t['type'] == 'page'][0]['webSocketDebuggerUrl'])
    for domain in ('Page', 'Runtime', 'Log', 'Performance'):
        tools.call(domain + '.enable')
    tools.call('Emulation.setDeviceMetricsOverride', width=800, height=600, deviceScaleFactor=1,
               mobile=False)
    tools.call('Page.addScriptToEvaluateOnNewDocument', source='''(() => {
        const Real = Date, fixed = %d * 1000;
        class Fixed extends Real { constructor(...a) { a.length ? super(...a) : super(fixed); } }
        Fixed.now = () => fixed;
        window.Date = Fixed;
    })();''' % SECONDS)
    tools.call('Page.navigate', url='http://127.0.0.1:%d/index.html' % port)

    def wait_until(what, test, seconds=10):
        end = time.time() + seconds
        while time.time() < end:
            if test():
                return
            time.sleep(0.05)
        fail('waited %d s for %s' % (seconds, what))

    wait_until('the page', lambda: tools.js("typeof Module === 'object' && !!Module.pilo"))

    # Screen pixels as RRGGBB from the canvas; screen points to page points.
    def colours(points):
        return tools.js('''(() => { const c = document.getElementById('screen');
            const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            return %s.map(([x, y]) => { const i = (y * c.width + x) * 4;
                return ((d[i] << 16) | (d[i + 1] << 8) | d[i + 2]).toString(16).toUpperCase().padStart(6, '0'); });
        })()''' % json.dumps(points))

    def cell_colours(cell):
        (x, y), _ = cells[cell]
        return colours([[x, y], [x - 7, y], [x + 7, y], [x, y - 7], [x, y + 7]])

    def mouse(kind, x, y, button='left', buttons=1):
        page_x, page_y = box[0] + (x + 0.5) * box[2], box[1] + (y + 0.5) * box[2]
        tools.call('Input.dispatchMouseEvent', type=kind, x=page_x, y=page_y, button=button,
                   buttons=buttons if kind == 'mousePressed' else 0, clickCount=1)

    def click(x, y, button='left'):
        mouse('mouseMoved', x, y, 'none', 0)
        mouse('mousePressed', x, y, button, 1 if button == 'left' else 2)
        mouse('mouseReleased', x, y, button)

    def screenshot(name):  # PILO_WEB_SHOTS=DIR keeps pictures of the page as a player sees it
        if os.environ.get('PILO_WEB_SHOTS'):
            data = tools.call('Page.captureScreenshot', format='png')['data']
            with open(os.path.join(os.environ['PILO_WEB_SHOTS'], name + '.png'), 'wb') as f:
                f.write(base64.b64decode(data))

    def shown_at(place):  # page time at which a point first shows its colour
        return tools.js('''new Promise(done => { const c = document.getElementById('screen');
            const poll = () => { const d = c.getContext('2d').getImageData(%s, %s, 1, 1).data;
                if (((d[0] << 16) | (d[1] << 8) | d[2]) === 0x%s) done(performance.now());
                else setTimeout(poll, 5); };
            poll(); })''' % tuple(places[place]))
    print('after the page started loading: main window drawn %.0f ms, splash gone %.0f ms' %
          (shown_at('caption'), shown_at('field')))
    box = tools.js('(() => { const r = document.getElementById("screen").getBoundingClientRect();'
                   ' return [r.left, r.top, r.width / 640]; })()')

    # The first deal: every cell looks as the headless program draws it, pieces stand where the
    # model deals them, and cells of one kind look alike while different kinds differ.
    wait_until('the first deal', lambda: all(cell_colours(c) == cells[c][1] for c in cells), 3)
    empty_look = None
    look_of_kind = {}
    for (r, c), (_, look) in cells.items():
        kind = board[r][c]
        if kind == EMPTY:
            empty_look = empty_look or look
            if look != empty_look:
                fail('empty cell %d %d looks like %s, not %s' % (r, c, look, empty_look))
        elif kind.isdigit():
            if look == empty_look or look_of_kind.setdefault(kind, look) != look:
                fail('cell %d %d of kind %s looks like %s' % (r, c, kind, look))
    if len(set(map(tuple, look_of_kind.values()))) != len(look_of_kind):
        fail('two kinds of piece look alike: %s' % look_of_kind)
    screenshot('deal')

    # Idle: nothing runs while the program waits for input.
    def task_seconds():
        metrics = tools.call('Performance.getMetrics')['metrics']
        return next(m['value'] for m in metrics if m['name'] == 'TaskDuration')
    before = task_seconds()
    time.sleep(2)
    print('idle CPU of the page: %.1f %%' % ((task_seconds() - before) / 2 * 100))

    # A piece moves to a free neighbour; the preview shows a new set of waiting pieces.
    src, dst = next(((r, c), (r + dr, c + dc)) for r in range(13) for c in range(13)
                    if board[r][c].isdigit()
                    for dr, dc in ((0, 1), (1, 0), (0, -1), (-1, 0)) if board[r + dr][c + dc] == EMPTY)
    piece = cells[src][1]
    left, top, right, bottom = map(int, places['preview'])
    preview = [[x, y] for x in range(left, right, 3) for y in range(top, bottom, 3)]
    preview_before = colours(preview)
    click(*cells[src][0])
    click(*cells[dst][0])
    wait_until('the piece to arrive', lambda: cell_colours(dst) == piece and cell_colours(src) == empty_look)
    wait_until('a new preview', lambda: colours(preview) != preview_before)

    # A right click on the board opens the piece-set menu; another set changes the pieces.
    menu_left, menu_top, menu_right, menu_bottom = map(int, places['menu'])
    menu_inside = [[menu_left + 1, menu_top + 1], [menu_right - 2, menu_bottom - 2]]
    under_menu = colours(menu_inside)
    click(*cells[(6, 6)][0], button='right')
    wait_until('the piece-set menu', lambda: colours(menu_inside) != under_menu)
    state = (SECONDS * 214013 + 2531011) & 0xFFFFFFFF  # the runtime's rand() after srand(SECONDS)
    chosen = ((state >> 16) & 0x7FFF) % 3 + 1
    looks = cell_colours(dst)
    click(*map(int, places['item%d' % (chosen % 3)]))
    wait_until('pieces of the chosen set', lambda: cell_colours(dst) not in (looks, empty_look))

    # Escape ends the program; the page says so and offers to start again.
    for kind in ('keyDown', 'keyUp'):
        tools.call('Input.dispatchKeyEvent', type=kind, key='Escape', code='Escape',
                   windowsVirtualKeyCode=27)
    wait_until('the end line', lambda: tools.js(
        '(() => { const e = document.querySelector("p.ended"); return !!e && !!e.querySelector("button"); })()'))
    tools.call('Runtime.evaluate', expression='0')  # collects the events sent meanwhile
    errors = [e for e in tools.events if
              (e['method'] == 'Runtime.consoleAPICalled' and e['params']['type'] == 'error') or
              e['method'] == 'Runtime.exceptionThrown' or
              (e['method'] == 'Log.entryAdded' and e['params']['entry']['level'] == 'error')]
    if errors:
        fail('the console shows errors: %s' % json.dumps(errors)[:2000])
    screenshot('ended')
    print('pilo web test passed')


if __name__ == '__main__':
    main()
