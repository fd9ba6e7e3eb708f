<?xml version="1.0"  encoding="utf-8"?>
	<adc_database xmlns="http://www.accuweather.com">
		<units>
			<temp>F</temp>
			<dist>MI</dist>
			<speed>MPH</speed>
			<pres>IN</pres>
			<prec>IN</prec>
		</units>
	
	<local>
	<city>Washington</city>
	<state>DC</state>
	<adminArea code="DC">District of Columbia</adminArea> 
        <country code="US">United States</country>
	<cityId>327659</cityId>
	<primaryPostalCode>20001</primaryPostalCode>
	
    <locationKey>327659</locationKey>
	
	<lat>38.8951</lat> 
	<lon>-77.03637</lon> 
	<time>14:53</time> 
	<timeZone>-5</timeZone>
	<obsDaylight>
	1
	</obsDaylight>
	<currentGmtOffset>-4</currentGmtOffset>
	<timeZoneAbbreviation>EDT</timeZoneAbbreviation>	
	</local>
	
					<watchwarnareas zone="DCZ001" county="DCC001" isactive="1">
					
						<url>http://127.0.0.1:8080/accu/watches-warnings.asp?partner=kovix&amp;zipcode=20001&amp;county=DCC001&amp;zone=DCZ001</url>
					
					</watchwarnareas>
					
                <currentconditions daylight="True">
                    <url>http://www.accuweather.com/index-forecast.asp?partner=kovix&amp;zipcode=20001</url>
			<observationtime>2:53 PM</observationtime>
			<pressure state="Steady">30.09</pressure>
			<temperature>66</temperature>
			<realfeel>68</realfeel>
			<humidity>38%</humidity>
			<weathertext>Partly sunny</weathertext>
			<weathericon>03</weathericon>
			<windgusts>17</windgusts>
			<windspeed>8</windspeed>
			<winddirection>NW</winddirection>
			<visibility>10</visibility>
			<precip>0.00</precip>
			<uvindex index="5">Moderate</uvindex>
			<dewpoint>40</dewpoint>
			<cloudcover>45%</cloudcover>
			<apparenttemp>64</apparenttemp>
			<windchill>66</windchill>
		</currentconditions>

		<moon>
			<phase date="4/14/2021" text="Waxing Crescent"></phase>
			<phase date="4/15/2021" text="Waxing Crescent"></phase>
			<phase date="4/16/2021" text="Waxing Crescent"></phase>
			<phase date="4/17/2021" text="Waxing Crescent"></phase>
			<phase date="4/18/2021" text="Waxing Crescent"></phase>
			<phase date="4/19/2021" text="First"></phase>
			<phase date="4/20/2021" text="Waxing Gibbous"></phase>
		</moon>

			<forecast>
				<url>http://www.accuweather.com/forecast.asp?partner=kovix&amp;zipcode=20001</url>
					
					<day number="1">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=1</url>
					<obsdate>4/14/2021</obsdate>
					<daycode>Wednesday</daycode>
					
						<sunrise>6:36 AM</sunrise>
						<sunset>7:42 PM</sunset>
					
					<daytime>
						<txtshort>Partly sunny and pleasant</txtshort>
						<txtlong>Times of clouds and sun; pleasant this afternoon</txtlong>
						<weathericon>03</weathericon>
						<hightemperature>68</hightemperature>
						<lowtemperature>49</lowtemperature>
						<realfeelhigh>70</realfeelhigh>
						<realfeellow>47</realfeellow>
						<windspeed>8</windspeed>
						<winddirection>NW</winddirection>
						<windgust>17</windgust>
						<maxuv>6</maxuv>
						<rainamount>0.00</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.00</precipamount>
						<tstormprob>5</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>Partly cloudy</txtshort>
						<txtlong>Partly cloudy; a shower in spots late</txtlong>
						<weathericon>35</weathericon>
						<hightemperature>68</hightemperature>
						<lowtemperature>49</lowtemperature>
						<realfeelhigh>66</realfeelhigh>
						<realfeellow>46</realfeellow>
						<windspeed>5</windspeed>
						<winddirection>NNW</winddirection>
						<windgust>11</windgust>
						<maxuv>0</maxuv>
						<rainamount>0.02</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.02</precipamount>
						<tstormprob>10</tstormprob>
					</nighttime>

					</day>
				
					
					<day number="2">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=2</url>
					<obsdate>4/15/2021</obsdate>
					<daycode>Thursday</daycode>
					
						<sunrise>6:35 AM</sunrise>
						<sunset>7:43 PM</sunset>
					
					<daytime>
						<txtshort>Cloudy with a couple of showers</txtshort>
						<txtlong>Considerable cloudiness with a couple of showers around midday</txtlong>
						<weathericon>12</weathericon>
						<hightemperature>59</hightemperature>
						<lowtemperature>48</lowtemperature>
						<realfeelhigh>55</realfeelhigh>
						<realfeellow>44</realfeellow>
						<windspeed>10</windspeed>
						<winddirection>E</winddirection>
						<windgust>20</windgust>
						<maxuv>2</maxuv>
						<rainamount>0.18</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.18</precipamount>
						<tstormprob>20</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>Rain and drizzle</txtshort>
						<txtlong>Rain and drizzle, mainly early; mild</txtlong>
						<weathericon>18</weathericon>
						<hightemperature>59</hightemperature>
						<lowtemperature>48</lowtemperature>
						<realfeelhigh>52</realfeelhigh>
						<realfeellow>43</realfeellow>
						<windspeed>9</windspeed>
						<winddirection>NE</winddirection>
						<windgust>18</windgust>
						<maxuv>0</maxuv>
						<rainamount>0.31</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.31</precipamount>
						<tstormprob>5</tstormprob>
					</nighttime>

					</day>
				
					
					<day number="3">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=3</url>
					<obsdate>4/16/2021</obsdate>
					<daycode>Friday</daycode>
					
						<sunrise>6:33 AM</sunrise>
						<sunset>7:44 PM</sunset>
					
					<daytime>
						<txtshort>Mostly cloudy</txtshort>
						<txtlong>Mostly cloudy and cool with a shower in the afternoon</txtlong>
						<weathericon>06</weathericon>
						<hightemperature>62</hightemperature>
						<lowtemperature>46</lowtemperature>
						<realfeelhigh>60</realfeelhigh>
						<realfeellow>42</realfeellow>
						<windspeed>11</windspeed>
						<winddirection>N</winddirection>
						<windgust>23</windgust>
						<maxuv>4</maxuv>
						<rainamount>0.04</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.04</precipamount>
						<tstormprob>10</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>Clearing</txtshort>
						<txtlong>Clearing; breezy early, then calm</txtlong>
						<weathericon>34</weathericon>
						<hightemperature>62</hightemperature>
						<lowtemperature>46</lowtemperature>
						<realfeelhigh>58</realfeelhigh>
						<realfeellow>40</realfeellow>
						<windspeed>8</windspeed>
						<winddirection>NW</winddirection>
						<windgust>16</windgust>
						<maxuv>0</maxuv>
						<rainamount>0.00</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.00</precipamount>
						<tstormprob>0</tstormprob>
					</nighttime>

					</day>
				
					
					<day number="4">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=4</url>
					<obsdate>4/17/2021</obsdate>
					<daycode>Saturday</daycode>
					
						<sunrise>6:32 AM</sunrise>
						<sunset>7:45 PM</sunset>
					
					<daytime>
						<txtshort>Sunny and nice</txtshort>
						<txtlong>Plenty of sunshine and nice; a light breeze</txtlong>
						<weathericon>01</weathericon>
						<hightemperature>69</hightemperature>
						<lowtemperature>47</lowtemperature>
						<realfeelhigh>71</realfeelhigh>
						<realfeellow>45</realfeellow>
						<windspeed>7</windspeed>
						<winddirection>W</winddirection>
						<windgust>14</windgust>
						<maxuv>8</maxuv>
						<rainamount>0.00</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.00</precipamount>
						<tstormprob>0</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>Clear</txtshort>
						<txtlong>Clear and chilly</txtlong>
						<weathericon>33</weathericon>
						<hightemperature>69</hightemperature>
						<lowtemperature>47</lowtemperature>
						<realfeelhigh>65</realfeelhigh>
						<realfeellow>41</realfeellow>
						<windspeed>4</windspeed>
						<winddirection>WSW</winddirection>
						<windgust>9</windgust>
						<maxuv>0</maxuv>
						<rainamount>0.00</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.00</precipamount>
						<tstormprob>0</tstormprob>
					</nighttime>

					</day>
				
					
					<day number="5">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=5</url>
					<obsdate>4/18/2021</obsdate>
					<daycode>Sunday</daycode>
					
						<sunrise>6:30 AM</sunrise>
						<sunset>7:46 PM</sunset>
					
					<daytime>
						<txtshort>Warmer with sunshine</txtshort>
						<txtlong>Sunshine and warmer; a thunderstorm in spots late</txtlong>
						<weathericon>02</weathericon>
						<hightemperature>76</hightemperature>
						<lowtemperature>55</lowtemperature>
						<realfeelhigh>78</realfeelhigh>
						<realfeellow>52</realfeellow>
						<windspeed>9</windspeed>
						<winddirection>S</winddirection>
						<windgust>21</windgust>
						<maxuv>8</maxuv>
						<rainamount>0.05</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.05</precipamount>
						<tstormprob>40</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>A t-storm around</txtshort>
						<txtlong>Considerable cloudiness with a thunderstorm around</txtlong>
						<weathericon>41</weathericon>
						<hightemperature>76</hightemperature>
						<lowtemperature>55</lowtemperature>
						<realfeelhigh>70</realfeelhigh>
						<realfeellow>51</realfeellow>
						<windspeed>7</windspeed>
						<winddirection>SSW</winddirection>
						<windgust>19</windgust>
						<maxuv>0</maxuv>
						<rainamount>0.11</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.11</precipamount>
						<tstormprob>45</tstormprob>
					</nighttime>

					</day>
				
					
					<day number="6">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=6</url>
					<obsdate>4/19/2021</obsdate>
					<daycode>Monday</daycode>
					
						<sunrise>6:29 AM</sunrise>
						<sunset>7:47 PM</sunset>
					
					<daytime>
						<txtshort>Humid with some sun</txtshort>
						<txtlong>Humid with a mix of clouds and sunshine</txtlong>
						<weathericon>04</weathericon>
						<hightemperature>79</hightemperature>
						<lowtemperature>60</lowtemperature>
						<realfeelhigh>83</realfeelhigh>
						<realfeellow>58</realfeellow>
						<windspeed>10</windspeed>
						<winddirection>SW</winddirection>
						<windgust>22</windgust>
						<maxuv>7</maxuv>
						<rainamount>0.00</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.00</precipamount>
						<tstormprob>25</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>Mostly cloudy</txtshort>
						<txtlong>Mostly cloudy and humid</txtlong>
						<weathericon>38</weathericon>
						<hightemperature>79</hightemperature>
						<lowtemperature>60</lowtemperature>
						<realfeelhigh>72</realfeelhigh>
						<realfeellow>57</realfeellow>
						<windspeed>6</windspeed>
						<winddirection>SW</winddirection>
						<windgust>15</windgust>
						<maxuv>0</maxuv>
						<rainamount>0.00</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.00</precipamount>
						<tstormprob>20</tstormprob>
					</nighttime>

					</day>
				
					
					<day number="7">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=7</url>
					<obsdate>4/20/2021</obsdate>
					<daycode>Tuesday</daycode>
					
						<sunrise>6:27 AM</sunrise>
						<sunset>7:48 PM</sunset>
					
					<daytime>
						<txtshort>Showers around</txtshort>
						<txtlong>Clouds and sun with a shower in places</txtlong>
						<weathericon>14</weathericon>
						<hightemperature>73</hightemperature>
						<lowtemperature>52</lowtemperature>
						<realfeelhigh>74</realfeelhigh>
						<realfeellow>49</realfeellow>
						<windspeed>12</windspeed>
						<winddirection>NW</winddirection>
						<windgust>25</windgust>
						<maxuv>6</maxuv>
						<rainamount>0.08</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.08</precipamount>
						<tstormprob>30</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>Partly cloudy</txtshort>
						<txtlong>Partly cloudy and cooler</txtlong>
						<weathericon>35</weathericon>
						<hightemperature>73</hightemperature>
						<lowtemperature>52</lowtemperature>
						<realfeelhigh>64</realfeelhigh>
						<realfeellow>47</realfeellow>
						<windspeed>7</windspeed>
						<winddirection>NW</winddirection>
						<windgust>14</windgust>
						<maxuv>0</maxuv>
						<rainamount>0.00</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.00</iceamount>
						<precipamount>0.00</precipamount>
						<tstormprob>5</tstormprob>
					</nighttime>

					</day>
				
			</forecast>
			
		<copyright>Copyright 2021 AccuWeather.com</copyright>
		<use>This document is intended only for use by authorized licensees of AccuWeather.com. Unauthorized use is prohibited. All Rights Reserved.</use>
		<product>kovix</product>
		<redistribution>Redistribution Prohibited.</redistribution>
	</adc_database>
